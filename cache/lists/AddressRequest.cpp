#include "cache/lists/AddressRequest.h"

#include <string>

namespace vantry::cache {

namespace {

std::string TrimBlanks(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

// "*anyfile*" -> "anyfile": each of the first two stars becomes a blank, then blanks go.
std::string NamePatternWithoutDot(std::string text) {
  for (int round = 0; round < 2; ++round) {
    size_t star = text.find('*');
    if (star == std::string::npos) break;
    text[star] = ' ';
    text = TrimBlanks(text);
  }
  return text;
}

// ".*gif" -> "gif", ".g*" -> ".g".
std::string ExtensionPatternOf(std::string_view fromDot) {
  size_t star = fromDot.find('*');
  if (star == std::string_view::npos) return std::string(fromDot);
  if (star == 1) return std::string(fromDot.substr(2));
  return std::string(fromDot.substr(0, star));
}

// "*." -> ".", "help*." -> "help".
std::string NamePatternOf(std::string_view throughDot) {
  size_t star = throughDot.find('*');
  if (star == std::string_view::npos) return std::string(throughDot);
  if (star == 0) return std::string(throughDot.substr(1));
  return std::string(throughDot.substr(0, star));
}

}  // namespace

void ParseAddressRequest(std::string_view text, SearchRequest& request) {
  request.mode = SearchRequest::kNone;
  if (text == "*.*") {
    request.mode = SearchRequest::kEverything;
    return;
  }
  if (text.find('*') == std::string_view::npos) {
    request.substring = std::string(text);
    request.mode = SearchRequest::kSubstring;
    return;
  }
  request.mode = SearchRequest::kWildcard;
  size_t dot = text.find('.');
  if (dot == std::string_view::npos) {
    request.namePattern = NamePatternWithoutDot(std::string(text));
    request.extensionPattern.clear();
  } else {
    request.mode += SearchRequest::kHadDot;
    request.extensionPattern = ExtensionPatternOf(text.substr(dot));
    request.namePattern = NamePatternOf(text.substr(0, dot + 1));
  }
  if (!request.extensionPattern.empty()) request.mode += SearchRequest::kExtensionPattern;
  if (!request.namePattern.empty()) request.mode += SearchRequest::kNamePattern;
}

}  // namespace vantry::cache

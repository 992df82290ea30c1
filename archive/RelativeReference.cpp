#include "archive/RelativeReference.h"

#include <algorithm>

namespace vantry::archive {
namespace {

bool IsReferenceSafe(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '@' || c == '=' || c == '+';
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, bool keepSlashes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsReferenceSafe(byte) || (keepSlashes && c == '/')) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
}

std::string RelativeReference(std::string_view fromFolder, std::string_view toPath) {
  std::string reference;
  AppendRelativeReference(reference, fromFolder, toPath);
  return reference;
}

void AppendRelativeReference(std::string& reference, std::string_view fromFolder, std::string_view toPath) {
  // The folders both paths share end at `shared`.
  std::size_t shared = 0;
  for (std::size_t at = 0;; ++at) {
    if (at == fromFolder.size()) {
      if (at < toPath.size() && toPath[at] == '/') shared = at + 1;
      break;
    }
    if (at == toPath.size() || fromFolder[at] != toPath[at]) break;
    if (fromFolder[at] == '/') shared = at + 1;
  }
  if (shared < fromFolder.size()) {
    const std::string_view rest = fromFolder.substr(shared);
    const auto levels = 1 + std::count(rest.begin(), rest.end(), '/');
    for (long i = 0; i < levels; ++i) reference += "../";
  }
  AppendEscaped(reference, toPath.substr(shared), true);
}

}  // namespace vantry::archive

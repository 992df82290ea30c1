#include "archive/RelativeReference.h"

#include <algorithm>
#include <array>

namespace vantry::archive {
namespace {

// Letters, digits and "-._~@=+": bytes a reference holds as they are.
constexpr std::array<bool, 256> kReferenceSafe = [] {
  std::array<bool, 256> safe{};
  for (int c = 0; c < 256; ++c) {
    safe[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
              c == '_' || c == '~' || c == '@' || c == '=' || c == '+';
  }
  return safe;
}();

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, bool keepSlashes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::size_t run = 0;  // the start of the bytes not yet appended, all safe
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (kReferenceSafe[byte] || (keepSlashes && byte == '/')) continue;
    out.append(text, run, at - run);
    const char escape[] = {'%', kHex[byte >> 4], kHex[byte & 15]};
    out.append(escape, 3);
    run = at + 1;
  }
  out.append(text, run);
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

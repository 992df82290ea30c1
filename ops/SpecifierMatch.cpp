#include "ops/SpecifierMatch.h"

namespace vantry::ops {

SpecifierMatch MakeSpecifierMatch(std::string_view specifier) {
  if (specifier == "*" || specifier == "*.*") return {SpecifierMatch::Mode::Every, {}};
  const size_t star = specifier.find('*');
  if (star == std::string_view::npos) return {SpecifierMatch::Mode::Address, std::string(specifier)};
  std::string_view key;
  if (star != 0) {
    key = specifier.substr(0, star);
  } else if (specifier.size() > 2 && specifier[2] == '*') {
    key = specifier.substr(3);
  } else {
    key = specifier.substr(1);
    key = key.substr(0, key.find('*'));
  }
  return {SpecifierMatch::Mode::FileName, std::string(key)};
}

bool MatchesSpecifier(const SpecifierMatch& match, std::string_view address) {
  switch (match.mode) {
    case SpecifierMatch::Mode::Every:
      return true;
    case SpecifierMatch::Mode::FileName:
      return FileNamePart(address).find(match.key) != std::string_view::npos;
    case SpecifierMatch::Mode::Address:
      return address.find(match.key) != std::string_view::npos;
  }
  return false;
}

std::string_view FileNamePart(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i + 1 < path.size(); ++i)
    if (path[i] == '/' || path[i] == '\\') start = i + 1;
  return path.substr(start);
}

}  // namespace vantry::ops

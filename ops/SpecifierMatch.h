#pragma once

#include <string>
#include <string_view>

// The file specifier of "Copy files....": which cache addresses it selects.
namespace vantry::ops {

struct SpecifierMatch {
  enum class Mode {
    Every,     // "*" or "*.*"
    FileName,  // the key must occur in the address's file-name part
    Address,   // no "*": the key must occur anywhere in the address
  };
  Mode mode = Mode::Every;
  std::string key;
};

// "*.*gif" -> file name "gif"; "*.gif" -> ".gif"; "*anyfile*" -> "anyfile";
// "help*.htm" -> "help"; "anyfile.*" -> "anyfile."; "www.x.org" -> address "www.x.org".
SpecifierMatch MakeSpecifierMatch(std::string_view specifier);

// Case-sensitive substring test of the key against the address or its file-name part.
bool MatchesSpecifier(const SpecifierMatch& match, std::string_view address);

// The text after the last "/" or "\" that is not the path's final character
// ("a/b/c.gif" -> "c.gif", "http://h/dir/" -> "dir/"); the whole path when it has none.
std::string_view FileNamePart(std::string_view path);

}  // namespace vantry::ops

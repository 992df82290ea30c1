#pragma once

#include <string>
#include <string_view>

namespace rquenz {

// Where the walk starts and which names it looks for, read from the first
// command-line argument.
struct StartChoice {
  bool fromRoot = false;  // start at "/" instead of the folder the tool was started in
  std::string pattern;    // what is left of the argument after the start prefix
};

// "/x" starts at the root with "x"; "./x" and a plain "x" start in the start folder.
StartChoice ChooseStart(std::string_view argument);

// A pattern split at its last '/': the entries matching `name` are looked for in
// `folder` (relative to each folder of the walk; empty means that folder itself).
struct NamePattern {
  std::string folder;
  std::string name;
};

NamePattern SplitPattern(std::string_view pattern);

// "" when the folder part of `pattern` is a folder below `walkFolder` (or there
// is none), else what is wrong with it ("/x: the folder does not exist").
std::string MissingPatternFolder(const std::string& walkFolder, const NamePattern& pattern);

}  // namespace rquenz

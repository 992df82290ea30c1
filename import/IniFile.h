#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vantry::import {

// One "[name]" section of an INI file with its "key=value" lines.
struct IniSection {
  std::string name;
  std::map<std::string, std::string> values;

  // The value of `key`, empty when the section has none.
  std::string Value(const std::string& key) const;
};

// The sections of an INI file in their order; blanks around names and values are
// trimmed, ";" and "#" lines are comments. Nothing when the file cannot be read.
std::vector<IniSection> ReadIniFile(const std::filesystem::path& file);

}  // namespace vantry::import

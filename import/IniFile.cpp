#include "import/IniFile.h"

#include <fstream>

namespace vantry::import {

namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::string IniSection::Value(const std::string& key) const {
  auto found = values.find(key);
  return found == values.end() ? std::string() : found->second;
}

std::vector<IniSection> ReadIniFile(const std::filesystem::path& file) {
  std::vector<IniSection> sections;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({line.substr(1, line.size() - 2), {}});
    } else if (size_t equals = line.find('='); equals != std::string::npos && !sections.empty()) {
      sections.back().values[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
    }
  }
  return sections;
}

}  // namespace vantry::import

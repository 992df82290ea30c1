#include "import/FirefoxProfile.h"

#include <fstream>
#include <map>
#include <vector>

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

using IniSection = std::map<std::string, std::string>;
struct NamedSection {
  std::string name;
  IniSection values;
};

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<NamedSection> ReadIni(const fs::path& file) {
  std::vector<NamedSection> sections;
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

std::string Value(const IniSection& section, const std::string& key) {
  auto found = section.find(key);
  return found == section.end() ? std::string() : found->second;
}

// The Firefox root that holds profiles.ini: the older ~/.mozilla/firefox wins.
fs::path FirefoxRoot(const HomeFolders& home) {
  std::error_code ec;
  for (const fs::path& root : {home.home / ".mozilla/firefox", home.config / "mozilla/firefox"})
    if (fs::is_regular_file(root / "profiles.ini", ec)) return root;
  return {};
}

fs::path CacheFolderFor(const fs::path& folder, const fs::path& relative, const HomeFolders& home) {
  std::error_code ec;
  if (fs::is_directory(folder / "cache2", ec)) return folder / "cache2";
  if (!relative.empty() && fs::is_directory(home.cache / "mozilla/firefox" / relative / "cache2", ec))
    return home.cache / "mozilla/firefox" / relative / "cache2";
  return {};
}

}  // namespace

FirefoxProfile FirefoxProfileAt(const fs::path& folder, const HomeFolders& home) {
  fs::path relative;
  for (const fs::path& root : {home.home / ".mozilla/firefox", home.config / "mozilla/firefox"}) {
    fs::path inside = folder.lexically_normal().lexically_relative(root.lexically_normal());
    if (!inside.empty() && *inside.begin() != "..") relative = inside;
  }
  if (relative.empty()) relative = folder.lexically_normal().filename();
  return {folder, CacheFolderFor(folder, relative, home)};
}

std::optional<FirefoxProfile> FindDefaultFirefoxProfile(const HomeFolders& home, std::string& error) {
  fs::path root = FirefoxRoot(home);
  if (root.empty()) {
    error = "No Firefox profiles.ini in " + (home.home / ".mozilla/firefox").string() + " or " +
            (home.config / "mozilla/firefox").string() + ".";
    return std::nullopt;
  }
  std::vector<NamedSection> sections = ReadIni(root / "profiles.ini");
  std::string chosen;  // the profile's Path value
  bool relative = true;
  for (const NamedSection& section : sections)
    if (section.name.starts_with("Install") && chosen.empty()) chosen = Value(section.values, "Default");
  std::vector<const NamedSection*> profiles;
  for (const NamedSection& section : sections)
    if (section.name.starts_with("Profile") && !Value(section.values, "Path").empty()) profiles.push_back(&section);
  const NamedSection* pick = nullptr;
  for (const NamedSection* profile : profiles)
    if (chosen.empty() ? Value(profile->values, "Default") == "1" : Value(profile->values, "Path") == chosen)
      pick = profile;
  if (!pick && chosen.empty() && !profiles.empty()) pick = profiles.front();
  if (pick) {
    chosen = Value(pick->values, "Path");
    relative = Value(pick->values, "IsRelative") != "0";
  }
  if (chosen.empty()) {
    error = "No profile is listed in " + (root / "profiles.ini").string() + ".";
    return std::nullopt;
  }
  fs::path folder = relative ? root / chosen : fs::path(chosen);
  return FirefoxProfile{folder, CacheFolderFor(folder, relative ? fs::path(chosen) : folder.filename(), home)};
}

}  // namespace vantry::import

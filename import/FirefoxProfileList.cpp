#include "import/FirefoxProfileList.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <string>

#include "import/IniFile.h"

namespace vantry::import {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCacheFolderPref = "\"browser.cache.disk.parent_directory\"";

// The string value of a `user_pref("name", "value");` line, with its \" and \\ undone.
std::string PrefStringValue(std::string_view line) {
  size_t comma = line.find(',', line.find(kCacheFolderPref) + kCacheFolderPref.size());
  size_t open = line.find('"', comma);
  if (comma == std::string_view::npos || open == std::string_view::npos) return {};
  std::string value;
  for (size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] == '"') return value;
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value += line[i];
  }
  return {};  // no closing quote
}

// The folder a profile's prefs move its disk cache to; user.js wins over prefs.js.
fs::path MovedCacheParent(const fs::path& folder) {
  fs::path parent;
  for (const char* file : {"prefs.js", "user.js"}) {
    std::ifstream in(folder / file);
    for (std::string line; std::getline(in, line);)
      if (line.find(kCacheFolderPref) != std::string::npos)
        if (std::string value = PrefStringValue(line); !value.empty()) parent = value;
  }
  return parent;
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

fs::path FirefoxCacheFolder(const fs::path& folder, const std::vector<fs::path>& twins) {
  if (fs::path moved = MovedCacheParent(folder); IsFolder(moved / "cache2")) return moved / "cache2";
  if (IsFolder(folder / "cache2")) return folder / "cache2";
  for (const fs::path& twin : twins)
    if (IsFolder(twin / "cache2")) return twin / "cache2";
  return {};
}

std::vector<BrowserProfile> ListFirefoxProfiles(const BrowserPlace& place) {
  std::vector<IniSection> sections = ReadIniFile(place.root / "profiles.ini");
  std::vector<std::string> installDefaults;  // Path values, as profiles.ini writes them
  for (const IniSection& section : sections)
    if (section.name.starts_with("Install")) installDefaults.push_back(section.Value("Default"));
  for (const IniSection& section : ReadIniFile(place.root / "installs.ini"))
    installDefaults.push_back(section.Value("Default"));
  std::erase(installDefaults, "");
  // The first installation's default comes first; profiles that are nobody's default last.
  auto rankOf = [&](const std::string& path, bool markedDefault) -> size_t {
    if (installDefaults.empty()) return markedDefault ? 0 : SIZE_MAX;
    auto found = std::find(installDefaults.begin(), installDefaults.end(), path);
    return found == installDefaults.end() ? SIZE_MAX : static_cast<size_t>(found - installDefaults.begin());
  };

  std::vector<std::pair<size_t, BrowserProfile>> ranked;
  std::set<std::string> listed;
  auto add = [&](const std::string& path, bool relative, std::string name, size_t rank) {
    fs::path folder = relative ? place.root / path : fs::path(path);
    if (name.empty()) name = folder.filename().string();
    std::vector<fs::path> twins = CacheTwins(place, folder);
    // A profile elsewhere may still keep its cache under the cache root by its folder name.
    if (twins.empty())
      for (const fs::path& cacheRoot : place.cacheRoots) twins.push_back(cacheRoot / folder.filename());
    ranked.push_back({rank,
                      {BrowserFamily::Firefox, place.browser, name, folder, FirefoxCacheFolder(folder, twins),
                       place.keyringName, rank != SIZE_MAX}});
    listed.insert(path);
  };
  for (const IniSection& section : sections) {
    std::string path = section.Value("Path");
    if (!section.name.starts_with("Profile") || path.empty()) continue;
    add(path, section.Value("IsRelative") != "0", section.Value("Name"), rankOf(path, section.Value("Default") == "1"));
  }
  for (const std::string& path : installDefaults)
    if (!listed.count(path)) add(path, !fs::path(path).is_absolute(), "", rankOf(path, true));
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  std::vector<BrowserProfile> profiles;
  for (auto& [rank, profile] : ranked) profiles.push_back(std::move(profile));
  if (!profiles.empty()) profiles.front().isDefault = true;
  return profiles;
}

}  // namespace vantry::import

#include "import/ChromiumProfileList.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <tuple>

#include <nlohmann/json.hpp>

namespace vantry::import {

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

// What "Local State" says of the profiles: folder name -> shown name, and the last used.
struct LocalState {
  std::map<std::string, std::string> names;
  std::string lastUsed;
};

LocalState ReadLocalState(const fs::path& file) {
  LocalState state;
  std::ifstream in(file, std::ios::binary);
  json document = json::parse(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), nullptr, false);
  if (!document.is_object() || !document.contains("profile") || !document["profile"].is_object()) return state;
  const json& profile = document["profile"];
  if (auto last = profile.find("last_used"); last != profile.end() && last->is_string()) state.lastUsed = *last;
  if (auto cache = profile.find("info_cache"); cache != profile.end() && cache->is_object())
    for (const auto& [folder, info] : cache->items()) {
      auto name = info.is_object() ? info.find("name") : info.end();
      state.names[folder] = name != info.end() && name->is_string() ? name->get<std::string>() : folder;
    }
  return state;
}

// The number N of "Profile N", nothing for other names.
std::optional<int> ProfileNumber(const std::string& name) {
  if (!name.starts_with("Profile ")) return std::nullopt;
  int number = 0;
  const char* end = name.data() + name.size();
  auto [stop, error] = std::from_chars(name.data() + 8, end, number);
  if (error != std::errc() || stop != end) return std::nullopt;
  return number;
}

// The sort key: the user data folder itself (""), "Default", "Profile N", the rest.
std::tuple<int, int, std::string> Order(const std::string& folderName) {
  if (folderName.empty()) return {0, 0, folderName};
  if (folderName == "Default") return {1, 0, folderName};
  if (std::optional<int> number = ProfileNumber(folderName)) return {2, *number, folderName};
  return {3, 0, folderName};
}

}  // namespace

bool IsChromiumProfileFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "History", ec) || fs::is_regular_file(folder / "Cookies", ec) ||
         fs::is_regular_file(folder / "Network/Cookies", ec) || fs::is_regular_file(folder / "Preferences", ec) ||
         fs::is_directory(folder / "Cache", ec);
}

fs::path ChromiumCacheFolder(const fs::path& folder, const std::vector<fs::path>& twins) {
  std::error_code ec;
  std::vector<fs::path> bases{folder};
  bases.insert(bases.end(), twins.begin(), twins.end());
  for (const fs::path& base : bases) {
    if (fs::is_directory(base / "Cache/Cache_Data", ec)) return base / "Cache/Cache_Data";
    if (fs::is_regular_file(base / "Cache/index", ec)) return base / "Cache";  // older builds kept entries there
  }
  return {};
}

std::vector<BrowserProfile> ListChromiumProfiles(const BrowserPlace& place) {
  std::error_code ec;
  if (!fs::is_directory(place.root, ec)) return {};
  LocalState state = ReadLocalState(place.root / "Local State");
  // Folder names below the root; "" is the root itself.
  std::vector<std::string> folders;
  for (const auto& [folder, name] : state.names)
    if (!folder.empty() && folder.find('/') == std::string::npos && fs::is_directory(place.root / folder, ec))
      folders.push_back(folder);
  for (const fs::directory_entry& item : fs::directory_iterator(place.root, ec)) {
    std::string folder = item.path().filename().string();
    if ((folder == "Default" || ProfileNumber(folder)) && IsChromiumProfileFolder(item.path()))
      folders.push_back(folder);
  }
  if (IsChromiumProfileFolder(place.root)) folders.push_back("");
  std::sort(folders.begin(), folders.end(),
            [](const std::string& a, const std::string& b) { return Order(a) < Order(b); });
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());

  std::vector<BrowserProfile> profiles;
  for (const std::string& folderName : folders) {
    fs::path folder = folderName.empty() ? place.root : place.root / folderName;
    auto named = state.names.find(folderName);
    std::string name = named != state.names.end() ? named->second : folderName.empty() ? "Default" : folderName;
    bool isDefault =
        state.lastUsed.empty() ? folderName.empty() || folderName == "Default" : folderName == state.lastUsed;
    profiles.push_back({BrowserFamily::Chromium, place.browser, name, folder,
                        ChromiumCacheFolder(folder, CacheTwins(place, folder)), place.keyringName, isDefault});
  }
  if (!profiles.empty() && std::none_of(profiles.begin(), profiles.end(), [](auto& p) { return p.isDefault; }))
    profiles.front().isDefault = true;
  return profiles;
}

}  // namespace vantry::import

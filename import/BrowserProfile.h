#pragma once

#include <filesystem>
#include <string>

namespace vantry::import {

// The two kinds of profile the import reads: Firefox's, and that of Chromium and the
// browsers built on it.
enum class BrowserFamily { Firefox, Chromium };

// One profile of one installed browser.
struct BrowserProfile {
  BrowserFamily family = BrowserFamily::Firefox;
  std::string browser;  // "Firefox", "Chromium (Snap)", "Brave (Flatpak)", ...
  std::string name;     // as the browser shows it to its user
  std::filesystem::path folder;
  // The folder of the entry files: Firefox's cache2, Chromium's Cache/Cache_Data (or the
  // older Cache); empty when the profile has none.
  std::filesystem::path cacheFolder;
  // The name under which the browser keeps its cookie key in the desktop keyring.
  std::string keyringName;
  bool isDefault = false;  // the profile the browser opens when given none
};

}  // namespace vantry::import

#pragma once

#include <filesystem>

namespace vantry::import {

// The user's folders that browsers keep their profiles and caches in.
struct HomeFolders {
  std::filesystem::path home;
  std::filesystem::path config;  // $XDG_CONFIG_HOME, else ~/.config
  std::filesystem::path cache;   // $XDG_CACHE_HOME, else ~/.cache

  static HomeFolders FromEnvironment();
};

}  // namespace vantry::import

#include "import/HomeFolders.h"

#include <cstdlib>

namespace vantry::import {

namespace fs = std::filesystem;

HomeFolders HomeFolders::FromEnvironment() {
  HomeFolders folders;
  const char* home = std::getenv("HOME");
  folders.home = home && *home ? home : "/";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  folders.config = config && *config ? fs::path(config) : folders.home / ".config";
  const char* cache = std::getenv("XDG_CACHE_HOME");
  folders.cache = cache && *cache ? fs::path(cache) : folders.home / ".cache";
  return folders;
}

}  // namespace vantry::import

#include <csignal>
#include <ctime>
#include <iostream>

#include "cache/store/UrlCacheStore.h"
#include "tools/vantry-store/StoreTool.h"

int main(int argc, char** argv) {
  // Past a file-size limit a write then fails and is reported, instead of killing the tool mid-import.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  return vantry::storetool::RunStoreTool(args, vantry::cache::DefaultStoreFolder(), static_cast<int64_t>(time(nullptr)),
                                         std::cout, std::cerr);
}

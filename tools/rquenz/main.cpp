// rquenz: replaces a string in every file of a folder tree whose name matches
// a pattern, keeping each file's previous version as a ".bak" file.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tools/rquenz/StartChoice.h"
#include "tools/rquenz/Walk.h"

namespace {

constexpr const char* kUsageText =
    "\n\nRquenz Dateiname Suchstring Ersatzstring"
    "\n\nAchtung!! Default geändert: default ist ab derzeitigem Dir suchen!!"
    "\nnur bei explizitem C:\\ oder voranstehendem \\ wird ab root gesucht"
    "\nbei .\\ wird ab derzeitigem dir = Startdir gesucht"
    "\nansonsten/default (nur Dateiname) ab Startdir\n";

std::string CurrentFolder() {
  std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
  return path ? std::string(path.get()) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string startFolder = CurrentFolder();
  // An empty search string would match everywhere and nowhere; it is refused.
  if (argc < 4 || argv[2][0] == '\0') {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  if (startFolder.empty()) {
    std::fprintf(stderr, "rquenz: cannot read the current folder: %s\n", std::strerror(errno));
    return 1;
  }
  const rquenz::StartChoice start = rquenz::ChooseStart(argv[1]);
  rquenz::RunState run(rquenz::SplitPattern(start.pattern), rquenz::StreamSubstituter(argv[2], argv[3]));
  const std::string walkFolder = start.fromRoot ? "/" : startFolder;
  const int folder = open(walkFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    std::fprintf(stderr, "rquenz: %s: cannot enter folder: %s\n", walkFolder.c_str(), std::strerror(errno));
    return 1;
  }
  rquenz::Walk(folder, walkFolder, run);
  std::printf("\nNumber of matches: %lld", run.matches);
  std::fflush(stdout);
  if (chdir(startFolder.c_str()) != 0) {
    // The start folder may have gone meanwhile; nothing else depends on it.
  }
  return run.failed ? 1 : 0;
}

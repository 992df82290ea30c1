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
#include <utility>

#include "tools/rquenz/StartChoice.h"
#include "tools/rquenz/Walk.h"

namespace {

constexpr const char* kUsageText =
    "\n\nRquenz Dateiname Suchstring Ersatzstring"
    "\n\nAchtung!! Default geändert: default ist ab derzeitigem Dir suchen!!"
    "\nnur bei explizitem C:\\ oder voranstehendem \\ wird ab root gesucht"
    "\nbei .\\ wird ab derzeitigem dir = Startdir gesucht"
    "\nansonsten/default (nur Dateiname) ab Startdir\n";

constexpr int kExitUsage = 2;

int UsageError(const char* what) {
  std::fprintf(stderr, "rquenz: %s\nRun \"rquenz --help\" for the usage.\n", what);
  return kExitUsage;
}

std::string CurrentFolder() {
  std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
  return path ? std::string(path.get()) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string startFolder = CurrentFolder();
  const bool askedForHelp = argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (argc < 4 || askedForHelp) {
    std::fputs(kUsageText, stdout);
    return 0;
  }
  // More arguments than three mostly mean a pattern the shell expanded into file names,
  // which would then be taken for the search and replacement strings.
  if (argc > 4) return UsageError("too many arguments (quote the name pattern so that the shell leaves it alone)");
  // An empty search string would match everywhere and nowhere.
  if (argv[2][0] == '\0') return UsageError("the search string is empty");
  if (startFolder.empty()) {
    std::fprintf(stderr, "rquenz: cannot read the current folder: %s\n", std::strerror(errno));
    return 1;
  }
  const rquenz::StartChoice start = rquenz::ChooseStart(argv[1]);
  rquenz::NamePattern pattern = rquenz::SplitPattern(start.pattern);
  const std::string walkFolder = start.fromRoot ? "/" : startFolder;
  // From the root the walk covers every folder of the system: a folder part that names no folder
  // there is a mistyped path, not a request to search the whole system for it.
  if (start.fromRoot) {
    const std::string missing = rquenz::MissingPatternFolder(walkFolder, pattern);
    if (!missing.empty()) {
      std::fprintf(stderr, "rquenz: %s\n", missing.c_str());
      return 1;
    }
  }
  rquenz::RunState run(std::move(pattern), rquenz::StreamSubstituter(argv[2], argv[3]));
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

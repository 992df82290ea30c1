#include "tools/rquenz/Walk.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tools/rquenz/ErrorText.h"
#include "tools/rquenz/FolderListing.h"
#include "tools/rquenz/RewriteFile.h"

namespace rquenz {

namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

void ReportFailure(RunState& run, const std::string& path, const std::string& what) {
  std::fflush(stdout);  // keeps the complaint next to its listed line on a terminal
  std::fprintf(stderr, "rquenz: %s: %s\n", path.c_str(), what.c_str());
  run.failed = true;
}

void HandleMatchingFile(int folderFd, const std::string& folderPath, const std::string& name, PreparedRewrite& prepared,
                        RunState& run) {
  const std::string path = JoinPath(folderPath, name);
  const std::string backup = BackupName(name);
  const std::string backupPath = JoinPath(folderPath, backup);
  if (backup == name) {
    ReportFailure(run, path, "not changed: it would be its own backup");
    return;
  }
  // Two files cut to the same backup name ("a.htm", "a.txt"): the second must
  // not overwrite the only copy of the first one's previous version.
  if (run.backupsMade.count(backupPath) != 0) {
    ReportFailure(run, path, "not changed: " + backup + " keeps another file's previous version");
    return;
  }
  const std::string error = PutRewriteInPlace(folderFd, name, backup, prepared, run.substituter);
  if (!error.empty()) {
    ReportFailure(run, path, "not changed: " + error);
    return;
  }
  run.backupsMade.insert(backupPath);
}

bool IsOwnWorkingFile(const std::string& folderPath, const std::string& name, const RunState& run) {
  return name == kTempFileName || run.backupsMade.count(JoinPath(folderPath, name)) != 0;
}

// Whether a matching file may be read ahead of its turn: a rewrite changes only
// its own file, its backup and "tempfil", and a backup's name is its own backup
// name (so it is refused), hence every other file reads now as at its turn.
bool CanBeReadAhead(const std::string& folderPath, const FolderEntry& entry, const RunState& run) {
  return !entry.isFolder && !IsOwnWorkingFile(folderPath, entry.name, run) && BackupName(entry.name) != entry.name;
}

void HandleEntries(int folderFd, const std::string& folderPath, const std::vector<FolderEntry>& entries,
                   RunState& run) {
  std::vector<bool> matching(entries.size()), planned(entries.size());
  std::vector<std::string> plannedNames;
  for (size_t i = 0; i < entries.size(); ++i) {
    matching[i] = fnmatch(run.pattern.name.c_str(), entries[i].name.c_str(), 0) == 0;
    planned[i] = run.ahead.enabled() && matching[i] && CanBeReadAhead(folderPath, entries[i], run);
    if (planned[i]) plannedNames.push_back(entries[i].name);
  }
  const bool ahead = plannedNames.size() > 1;
  if (ahead) run.ahead.Begin(folderFd, std::move(plannedNames));
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!matching[i]) continue;
    const FolderEntry& entry = entries[i];
    PreparedRewrite prepared;
    if (ahead && planned[i]) prepared = run.ahead.TakeNext(run.substituter);
    // The tool's own working files are never taken for the user's.
    if (!IsOwnWorkingFile(folderPath, entry.name, run)) {
      if (entry.isFolder) {
        std::printf("%s/%s <DIR>\n", folderPath.c_str(), entry.name.c_str());
      } else {
        std::printf("%s/%s\n", folderPath.c_str(), entry.name.c_str());
        HandleMatchingFile(folderFd, folderPath, entry.name, prepared, run);
      }
      ++run.matches;
    }
    if (ahead && planned[i]) run.ahead.Recycle(std::move(prepared.content));
  }
  if (ahead) run.ahead.End();
}

// A pattern with a folder part ("docs/*.htm") looks in that folder below the
// walked one; a walked folder without it has no matches.
void HandlePatternFolder(int here, const std::string& fullPath, RunState& run) {
  const std::string& folder = run.pattern.folder;
  const int folderFd = openat(here, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0) return;
  char* realPath = realpath(folder.c_str(), nullptr);
  std::vector<FolderEntry> entries;
  const std::string error = realPath ? ListFolder(folder, entries) : ErrorText("cannot resolve", errno);
  if (error.empty()) {
    HandleEntries(folderFd, realPath, entries, run);
  } else {
    ReportFailure(run, JoinPath(fullPath, folder), error);
  }
  std::free(realPath);
  close(folderFd);
}

}  // namespace

void Walk(int folder, const std::string& fullPath, RunState& run) {
  std::vector<FolderEntry> entries;
  const std::string error = fchdir(folder) != 0 ? ErrorText("cannot enter folder", errno) : ListFolder(".", entries);
  if (!error.empty()) {
    ReportFailure(run, fullPath, error);
    close(folder);
    return;
  }
  if (run.pattern.folder.empty()) {
    HandleEntries(folder, fullPath, entries, run);
  } else {
    HandlePatternFolder(folder, fullPath, run);
  }
  for (const FolderEntry& entry : entries) {
    if (!entry.isFolder || entry.isLinkToFolder || entry.name[0] == '.') continue;
    const std::string subPath = JoinPath(fullPath, entry.name);
    const int sub = openat(folder, entry.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (sub < 0) {
      ReportFailure(run, subPath, ErrorText("cannot enter folder", errno));
      continue;
    }
    Walk(sub, subPath, run);
  }
  close(folder);
}

}  // namespace rquenz

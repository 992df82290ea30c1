#pragma once

#include <filesystem>

#include "archive/ArchivePaths.h"
#include "archive/UserPrompt.h"

namespace vantry::app {

// The archive asks the user the way the commands do: one prompt serves both libraries.
class ArchivePrompt : public archive::UserPrompt {
 public:
  explicit ArchivePrompt(archive::UserPrompt& prompt) : prompt_(prompt) {}
  void Tell(const std::string& text, const std::string& title) override { prompt_.Tell(text, title); }
  bool AskYesNo(const std::string& text, const std::string& title) override { return prompt_.AskYesNo(text, title); }

 private:
  archive::UserPrompt& prompt_;
};

// The archive paths in the working directory, fixed at start-up, with the change log and
// the history file created where missing; a history file that cannot be made is told.
inline archive::ArchivePaths PrepareArchiveAtStartup(const std::filesystem::path& workingDirectory,
                                                     archive::UserPrompt& prompt) {
  archive::ArchivePaths paths = archive::MakeArchivePaths(workingDirectory.string());
  ArchivePrompt archivePrompt(prompt);
  archive::PrepareArchiveFiles(paths, archivePrompt);
  return paths;
}

}  // namespace vantry::app

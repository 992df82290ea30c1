#pragma once

#include <filesystem>
#include <string>

// The archive files the program keeps in its working directory, fixed at start-up.
struct StartupFiles {
  std::filesystem::path history;    // Histfile.dbx
  std::filesystem::path changeLog;  // change.log
  std::filesystem::path indexPage;  // indexfil.htm
};

StartupFiles StartupFilesIn(const std::filesystem::path& workingDirectory);

// Creates an empty change log and a history file holding the single byte 0x1A where they
// are missing. Files that exist are never touched, even when they cannot be read. Returns
// false when the history file is neither readable nor could be created.
bool PrepareStartupFiles(const StartupFiles& files);

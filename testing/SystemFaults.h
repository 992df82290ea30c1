#pragma once

#include <functional>
#include <string>

namespace vantry::testing {

// Conditions of the system that a test cannot bring about for real without privileges.
enum class SystemFault {
  kReadOnlyFileSystem,  // opening for writing, creating, removing and renaming fail with EROFS
  kDiskFull,            // writes to anything but the standard streams fail with ENOSPC
  kFoldersUnreadable,   // opening a folder fails with EACCES
};

// Runs `body` in a child process and gives back what it returned; a text starting
// "<child" when the child did not end normally.
std::string RunInChild(const std::function<std::string()>& body);

// In the child of RunInChild: from now on system calls fail as under `fault`.
void BringAbout(SystemFault fault);

// Runs `body` in a child process in which system calls fail as under `fault` from the start.
std::string RunUnderFault(SystemFault fault, const std::function<std::string()>& body);

}  // namespace vantry::testing

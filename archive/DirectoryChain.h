#pragma once

#include <string>

#include "archive/UserPrompt.h"

namespace vantry::archive {

// Creates each folder of `relativeFolders` ('/'-separated) below `base` in turn, so that the
// whole chain exists afterwards; existing folders are no error and empty relative folders name
// `base` itself. A level above the last that cannot be entered is reported (its path /
// "unable to create dir") and fails the chain. The process's current directory is not changed.
bool MakeDirectoryChain(const std::string& relativeFolders, const std::string& base, UserPrompt& prompt);

}  // namespace vantry::archive

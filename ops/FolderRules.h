#pragma once

#include <string>
#include <string_view>

#include "archive/UserPrompt.h"

// The folder field of the copy dialogs: how its text is read, when it is accepted, and
// how a new folder is made.
namespace vantry::ops {

inline constexpr std::string_view kInvalidFolderMessage = "Please select a valid folder";
inline constexpr std::string_view kFolderExistsMessage = "Cannot Create! Folder exists!";

// The folder without one trailing "/"; the root "/" stays as it is.
std::string StripTrailingSeparator(std::string_view folder);

// Whether `folder` names an existing directory (a file of that name does not count).
bool IsExistingDirectory(std::string_view folder);

// The message that keeps the dialog open, or an empty text when the folder is accepted:
// with `mustExist` the folder must be an existing directory, without it it must not be one.
std::string_view FolderValidationMessage(std::string_view folder, bool mustExist);

// Creates `folder`, and its parent first when that is missing too: at most two new levels.
// Failures are told to the user (the folder as text) and give false.
bool MakeTwoLevelFolder(const std::string& folder, archive::UserPrompt& prompt);

}  // namespace vantry::ops

#pragma once

#include <string>
#include <string_view>

// The settings the cache commands read and write, with their defaults, in one place.
// "Profile" keys live in the profile file, the others in the application settings.
namespace vantry::ops {

struct SettingKey {
  std::string_view section;
  std::string_view key;
};

// Save / Save As keep theirs in the application settings; the two copy commands share
// the profile's. The two values never meet.
inline constexpr SettingKey kSaveDirKey{"Vantry", "SaveDir"};
inline constexpr SettingKey kServerToDeleteKey{"Vantry", "ServerToDelete"};  // profile
inline constexpr SettingKey kFilesToCopyKey{"Vantry", "FilesToCopy"};        // profile
inline constexpr std::string_view kFilesToCopyDefault = "*.*";
inline constexpr SettingKey kCopyDirectoryKey{"Vantry", "CopyDirectory"};    // profile
inline constexpr SettingKey kWhatFindKey{"Settings", "WhatFind"};
inline constexpr int kWhatFindDefault = 1;
inline constexpr SettingKey kDateFormatKey{"Settings", "Date_Format"};
inline constexpr int kDateFormatDefault = 0;

// "$HOME/cache": where "Copy files...." proposes to copy to before it was ever used.
std::string DefaultCopyDirectory();

}  // namespace vantry::ops

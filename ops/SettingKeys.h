#pragma once

#include <string>
#include <string_view>

#include "ops/CommandServices.h"

// Every key of the program's two settings stores, with its section and default, in one place.
namespace vantry::ops {

template <typename T>
struct SettingKey {
  std::string_view section;
  std::string_view key;
  T fallback;
};
using TextSetting = SettingKey<std::string_view>;
using NumberSetting = SettingKey<int>;

// The application settings (Orlenvik/OfflineVantry).
inline constexpr TextSetting kSaveDir{"Vantry", "SaveDir", ""};  // Save / Save As
inline constexpr NumberSetting kWhatFind{"Settings", "WhatFind", 1};
// 1 once "Import from browser..." was offered on a start with an empty store.
inline constexpr NumberSetting kImportOffered{"Settings", "ImportOffered", 0};
// Dates assume format 0 while nothing is stored; the Preferences dialog shows format 1 then.
inline constexpr NumberSetting kDateFormat{"Settings", "Date_Format", 0};
inline constexpr NumberSetting kDateFormatShownByPreferences{"Settings", "Date_Format", 1};
// Whether the HTML pane runs the scripts of cached pages (1) or not (0).
inline constexpr NumberSetting kPageScripts{"Settings", "PageScripts", 0};
// The frame's bar layout: a key outside any section, its value the bytes of the layout.
inline constexpr TextSetting kBarState{"", "Bar_State", ""};

// The profile file's section "Vantry". Its "SaveDir" (the two copy commands') and the
// application settings' never meet.
inline constexpr TextSetting kCopySaveDir{"Vantry", "SaveDir", ""};
inline constexpr TextSetting kServerToDelete{"Vantry", "ServerToDelete", ""};
inline constexpr TextSetting kFilesToCopy{"Vantry", "FilesToCopy", "*.*"};
// Without a stored value: DefaultCopyDirectory().
inline constexpr TextSetting kCopyDirectory{"Vantry", "CopyDirectory", ""};

std::string Read(const SettingsStore& store, const TextSetting& setting);
int Read(const SettingsStore& store, const NumberSetting& setting);
void Write(SettingsStore& store, const TextSetting& setting, std::string_view value);
void Write(SettingsStore& store, const NumberSetting& setting, int value);

// "$HOME/cache": where "Copy files...." proposes to copy to before it was ever used.
std::string DefaultCopyDirectory();

}  // namespace vantry::ops

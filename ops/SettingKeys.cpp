#include "ops/SettingKeys.h"

#include <cstdlib>

namespace vantry::ops {

std::string Read(const SettingsStore& store, const TextSetting& setting) {
  return store.ReadText(setting.section, setting.key, setting.fallback);
}

int Read(const SettingsStore& store, const NumberSetting& setting) {
  return store.ReadInt(setting.section, setting.key, setting.fallback);
}

void Write(SettingsStore& store, const TextSetting& setting, std::string_view value) {
  store.WriteText(setting.section, setting.key, value);
}

void Write(SettingsStore& store, const NumberSetting& setting, int value) {
  store.WriteInt(setting.section, setting.key, value);
}

std::string DefaultCopyDirectory() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/cache";
}

}  // namespace vantry::ops

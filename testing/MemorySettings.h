#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ops/SettingKeys.h"

namespace vantry::testing {

// A settings store in memory: values[Key(section, key)] is what was written.
class MemorySettings : public ops::SettingsStore {
 public:
  std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const override {
    auto found = values.find(Key(section, key));
    return found == values.end() ? std::string(fallback) : found->second;
  }
  int ReadInt(std::string_view section, std::string_view key, int fallback) const override {
    auto found = values.find(Key(section, key));
    return found == values.end() ? fallback : std::stoi(found->second);
  }
  void WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    values[Key(section, key)] = std::string(value);
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    values[Key(section, key)] = std::to_string(value);
  }
  template <typename T>
  static std::string Key(const ops::SettingKey<T>& setting) {
    return Key(setting.section, setting.key);
  }
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
  std::map<std::string, std::string> values;
};

}  // namespace vantry::testing

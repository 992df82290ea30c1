#include "dates/DateFormatPreference.h"

#include <array>
#include <atomic>

namespace vantry::dates {

namespace {

std::atomic<int> gStoredPreference{0};

constexpr std::array<std::string_view, 4> kFormatNames = {"MMDDYY", "DDMMYY", "MMDDYYYY", "DDMMYYYY"};

}  // namespace

void SetDateFormatPreference(int storedValue) { gStoredPreference.store(storedValue); }

int DateFormatPreference() { return gStoredPreference.load(); }

int PreferredFormatCode() { return DateFormatPreference() + 1; }

std::string_view DateFormatName(int storedValue) {
  if (storedValue < 0 || storedValue >= static_cast<int>(kFormatNames.size())) return {};
  return kFormatNames[static_cast<std::size_t>(storedValue)];
}

}  // namespace vantry::dates

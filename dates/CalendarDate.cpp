#include "dates/CalendarDate.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

#include "dates/CalendarMath.h"
#include "dates/DateFormatPreference.h"
#include "dates/LocalClock.h"
#include "dates/Tokenizer.h"

namespace vantry::dates {

namespace {

constexpr std::string_view kDateSeparators = "/.-";
constexpr double kYearsPerDay = 0.002737907006988508;  // 1 / 365.2425
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

// Leading decimal digits of a token; 0 when it does not start with one. Capped so
// that a long run of digits cannot overflow.
int LeadingNumber(std::string_view token) {
  constexpr std::int64_t kCap = 999'999'999;
  std::int64_t value = 0;
  for (const char c : token) {
    if (c < '0' || c > '9') break;
    value = std::min(kCap, value * 10 + (c - '0'));
  }
  return static_cast<int>(value);
}

int CompleteYear(int year) {
  if (year < 20) return year + 2000;
  if (year < 100) return year + 1900;
  return year;
}

MonthDayYear ParseMonthDayYear(std::string_view text, int formatCode) {
  const Tokenizer tokens(text, kDateSeparators);
  const int t1 = LeadingNumber(tokens.Token(1));
  const int t2 = tokens.Count() >= 2 ? LeadingNumber(tokens.Token(2)) : 0;
  const int t3 = tokens.Count() >= 3 ? LeadingNumber(tokens.Token(3)) : 0;
  switch (formatCode) {
    case 1:
    case 3:
      return {t1, t2, CompleteYear(t3)};
    case 2:
    case 4:
      return {t2, t1, CompleteYear(t3)};
    case 5:
    case 6:
      return {t2, t3, CompleteYear(t1)};
    default:
      return {};
  }
}

int ResolveFormatCode(int formatCode) { return formatCode == 0 ? PreferredFormatCode() : formatCode; }

void CopyIntoBuffer(std::string_view text, std::span<char> buffer) {
  if (buffer.empty()) return;
  const std::size_t count = std::min(text.size(), buffer.size() - 1);
  std::copy_n(text.data(), count, buffer.data());
  buffer[count] = '\0';
}

}  // namespace

CalendarDate::CalendarDate(int formatCode) : formatCode_(ResolveFormatCode(formatCode)) {
  const CalendarFields now = ReadLocalClock();
  SetDate(now.year, now.month, now.day);
  SetTimeOfDay(now.hour, now.minute, now.second);
}

CalendarDate::CalendarDate(std::string_view text, int formatCode) : formatCode_(ResolveFormatCode(formatCode)) {
  const MonthDayYear parsed = ParseMonthDayYear(text, formatCode_);
  SetDate(parsed.year, parsed.month, parsed.day);
  const CalendarFields now = ReadLocalClock();
  SetTimeOfDay(now.hour, now.minute, now.second);
}

CalendarDate& CalendarDate::operator=(const CalendarDate& other) {
  if (!(*this == other)) {
    year_ = other.year_;
    month_ = other.month_;
    day_ = other.day_;
    dayNumber_ = other.dayNumber_;
    formatCode_ = other.formatCode_;
  }
  return *this;
}

int CalendarDate::AgeInYears() const {
  const CalendarDate today(formatCode_);
  const std::int64_t days = std::int64_t{today.dayNumber_} - dayNumber_;
  if (days <= 0) return 0;
  return static_cast<int>(static_cast<double>(days) * kYearsPerDay);
}

int CalendarDate::Weekday() const { return IsValid() ? WeekdayOfDayNumber(dayNumber_) : 0; }

bool CalendarDate::IsValid() const {
  return year_ >= 0 && year_ <= kMaxYear && day_ >= 1 && day_ <= DaysInMonth(month_, year_);
}

int CalendarDate::Day() const { return IsValid() ? day_ : 0; }
int CalendarDate::Month() const { return IsValid() ? month_ : 0; }
int CalendarDate::Year() const { return IsValid() ? year_ : 0; }

void CalendarDate::GetMonthDayYear(int& month, int& day, int& year) const {
  if (!IsValid()) return;
  month = month_;
  day = day_;
  year = year_;
}

int CalendarDate::Hour24() const { return IsValid() ? hour_ + (afternoon_ ? 12 : 0) : 0; }
int CalendarDate::Minute() const { return IsValid() ? minute_ : 0; }
int CalendarDate::Second() const { return IsValid() ? second_ : 0; }

void CalendarDate::CopyLongTimeText(std::span<char> buffer, bool withSuffix) {
  CopyIntoBuffer(LongTimeText(withSuffix), buffer);
}

std::string CalendarDate::LongTimeText(bool withSuffix) {
  if (!IsValid()) return {};
  char formatted[64];
  if (UsesDayFirstTimes()) {
    std::snprintf(formatted, sizeof formatted, "%02d:%02d:%02d", Hour24(), minute_, second_);
  } else {
    std::snprintf(formatted, sizeof formatted, "%02d:%02d:%02d   %s", Hour12ForDisplay(), minute_, second_,
                  Suffix(withSuffix));
  }
  text_ = formatted;
  return text_;
}

void CalendarDate::CopyShortTimeText(std::span<char> buffer, bool withSuffix) {
  CopyIntoBuffer(ShortTimeText(withSuffix), buffer);
}

std::string CalendarDate::ShortTimeText(bool withSuffix) {
  if (!IsValid()) return {};
  char formatted[64];
  if (UsesDayFirstTimes()) {
    std::snprintf(formatted, sizeof formatted, "%02d:%02d ", Hour24(), minute_);
  } else {
    std::snprintf(formatted, sizeof formatted, "%02d:%02d %s", Hour12ForDisplay(), minute_, Suffix(withSuffix));
  }
  text_ = formatted;
  return text_;
}

void CalendarDate::SetToday() {
  const CalendarFields now = ReadLocalClock();
  SetDate(now.year, now.month, now.day);
}

void CalendarDate::SetFromText(std::string_view text) {
  ParseText(text);
  ComputeDayNumber();
}

void CalendarDate::ParseText(std::string_view text) {
  const MonthDayYear parsed = ParseMonthDayYear(text, formatCode_);
  month_ = parsed.month;
  day_ = parsed.day;
  year_ = parsed.year;
}

std::int32_t CalendarDate::ComputeDayNumber() {
  dayNumber_ = DayNumberOf(month_, day_, year_);
  return dayNumber_;
}

std::int32_t CalendarDate::DayNumberOf(int month, int day, int year) const {
  return DayNumberFromDate(month, day, year);
}

void CalendarDate::SetFromDayNumber() { MonthDayYearOf(dayNumber_, month_, day_, year_); }

void CalendarDate::MonthDayYearOf(std::int32_t dayNumber, int& month, int& day, int& year) const {
  const MonthDayYear date = DateFromDayNumber(dayNumber);
  month = date.month;
  day = date.day;
  year = date.year;
}

int CalendarDate::ClampDayToMonth() {
  const int length = DaysInMonth(month_, year_);
  if (length > 0 && day_ > length) day_ = length;
  return length;
}

void CalendarDate::SetTimeFromClock() {
  const CalendarFields now = ReadLocalClock();
  SetTimeOfDay(now.hour, now.minute, now.second);
}

std::string CalendarDate::WeekdayName() {
  if (!IsValid()) return {};
  text_ = kWeekdayNames[static_cast<std::size_t>(Weekday())];
  return text_;
}

bool CalendarDate::operator==(const CalendarDate& other) const { return IsValid() && dayNumber_ == other.dayNumber_; }

bool CalendarDate::IsNotLaterThan(const CalendarDate& other) const {
  return IsValid() && dayNumber_ <= other.dayNumber_;
}

void CalendarDate::SubtractDays(int count) {
  const std::int64_t stepped = std::int64_t{dayNumber_} - count;
  dayNumber_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, std::numeric_limits<std::int32_t>::min(),
                                                                  std::numeric_limits<std::int32_t>::max()));
  SetFromDayNumber();
}

void CalendarDate::SetDate(int year, int month, int day) {
  year_ = year;
  month_ = month;
  day_ = day;
  dayNumber_ = DayNumberFromDate(month, day, year);
}

void CalendarDate::SetTimeOfDay(int hour24, int minute, int second) {
  afternoon_ = hour24 >= 12;
  hour_ = afternoon_ ? hour24 - 12 : hour24;
  minute_ = minute;
  second_ = second;
}

bool CalendarDate::UsesDayFirstTimes() const { return formatCode_ == 2 || formatCode_ == 4; }

int CalendarDate::Hour12ForDisplay() const { return hour_ == 0 ? 12 : hour_; }

const char* CalendarDate::Suffix(bool withSuffix) const {
  if (!withSuffix) return "";
  return afternoon_ ? "PM" : "AM";
}

}  // namespace vantry::dates

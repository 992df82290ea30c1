#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantry::dates {

// A calendar date read from user text or from the clock, with the local time of day.
//
// Format codes: 1 and 3 month-day-year, 2 and 4 day-month-year, 5 and 6 year-month-day;
// any other code parses to a date of all zeros. Code 0 given to a constructor means the
// user's preference (DateFormatPreference() + 1). The day-first codes 2 and 4 also show
// times in 24-hour form, the others in 12-hour form with "AM"/"PM".
//
// Accessors answer 0 (texts: empty) while the date is not valid.
class CalendarDate {
 public:
  // Years above this have day numbers that no longer fit 32 bits; such dates are invalid.
  static constexpr int kMaxYear = 5'874'897;

  // Today's local date.
  explicit CalendarDate(int formatCode = 0);
  // The date parsed from `text`, e.g. "31.12.99" with code 2.
  explicit CalendarDate(std::string_view text, int formatCode = 0);

  CalendarDate(const CalendarDate&) = default;
  // Copies year, month, day, day number and format code, but not the time of day or
  // the text; does nothing when this date is valid and already on the same day.
  CalendarDate& operator=(const CalendarDate& other);
  virtual ~CalendarDate() = default;

  // Whole years (of 365.2425 days) from this date to today; 0 when not in the past.
  virtual int AgeInYears() const;
  // 0 is Sunday.
  virtual int Weekday() const;
  virtual bool IsValid() const;
  virtual int Day() const;
  virtual int Month() const;
  virtual int Year() const;
  // Leaves the out-parameters untouched when the date is not valid.
  virtual void GetMonthDayYear(int& month, int& day, int& year) const;
  virtual int Hour24() const;
  virtual int Minute() const;
  virtual int Second() const;

  // "hh:mm:ss" (day-first codes) or "hh:mm:ss   AM". The copy variants write at most
  // buffer.size() - 1 characters and always end them with a NUL (nothing for an empty buffer).
  virtual void CopyLongTimeText(std::span<char> buffer, bool withSuffix);
  virtual std::string LongTimeText(bool withSuffix);
  // "hh:mm " (day-first codes) or "hh:mm AM".
  virtual void CopyShortTimeText(std::span<char> buffer, bool withSuffix);
  virtual std::string ShortTimeText(bool withSuffix);

  // Both keep the day number in step with the new date.
  virtual void SetToday();
  virtual void SetFromText(std::string_view text);

  // Reads month, day and year from text with this date's format code, completing
  // two-digit years (below 20: 20xx, 20 to 99: 19xx). Does not touch the day number.
  virtual void ParseText(std::string_view text);
  // Recomputes and returns this date's day number from year, month and day.
  virtual std::int32_t ComputeDayNumber();
  virtual std::int32_t DayNumberOf(int month, int day, int year) const;
  // Sets year, month and day from this date's day number.
  virtual void SetFromDayNumber();
  virtual void MonthDayYearOf(std::int32_t dayNumber, int& month, int& day, int& year) const;
  // Pulls the day back to the last day of its month; returns the month's length
  // (0, with the day untouched, when the month is not 1..12).
  virtual int ClampDayToMonth();
  virtual void SetTimeFromClock();

  // "Sunday" .. "Saturday", also kept as Text(); empty (and Text() untouched) when not valid.
  std::string WeekdayName();

  // Same day number; false whenever this date is not valid.
  bool operator==(const CalendarDate& other) const;
  // This day number is at most the other's; false whenever this date is not valid.
  bool IsNotLaterThan(const CalendarDate& other) const;

  // Steps back `count` days through the day number (forward for a negative count).
  void SubtractDays(int count);

  // Sets the date without parsing and recomputes the day number.
  void SetDate(int year, int month, int day);
  // Sets the time-of-day fields from a 24-hour clock reading.
  void SetTimeOfDay(int hour24, int minute, int second);

  std::int32_t DayNumber() const { return dayNumber_; }
  int FormatCode() const { return formatCode_; }
  // The output of the last text operation.
  const std::string& Text() const { return text_; }

 private:
  bool UsesDayFirstTimes() const;
  int Hour12ForDisplay() const;
  const char* Suffix(bool withSuffix) const;

  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
  std::int32_t dayNumber_ = 0;
  int formatCode_ = 0;
  std::string text_;
  int hour_ = 0;  // 0..11, 12-hour form
  int minute_ = 0;
  int second_ = 0;
  bool afternoon_ = false;
};

}  // namespace vantry::dates

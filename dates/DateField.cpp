#include "dates/DateField.h"

#include <algorithm>

#include "dates/CalendarDate.h"

namespace vantry::dates {

namespace {

constexpr std::string_view kSeparators = "/.-";
constexpr std::size_t kShortestDateText = 6;
constexpr std::size_t kLongestUnseparatedText = 11;

bool HasSeparator(std::string_view text) { return text.find_first_of(kSeparators) != std::string_view::npos; }

bool IsDateCharacter(char c) { return (c >= '0' && c <= '9') || kSeparators.find(c) != std::string_view::npos; }

}  // namespace

std::string InsertDateSeparators(std::string_view text) {
  if (HasSeparator(text) || text.size() < kShortestDateText || text.size() > kLongestUnseparatedText) {
    return std::string(text);
  }
  std::string separated;
  separated.reserve(text.size() + 2);
  separated.append(text.substr(0, 2)).append("/").append(text.substr(2, 2)).append("/").append(text.substr(4));
  return separated;
}

bool IsAcceptableDateText(std::string_view text, int formatCode) {
  if (text.empty()) return true;
  if (text.size() < kShortestDateText) return false;
  if (!std::all_of(text.begin(), text.end(), IsDateCharacter)) return false;
  if (!HasSeparator(text) && text.size() > kLongestUnseparatedText) return false;
  return CalendarDate(text, formatCode).IsValid();
}

DateFieldCheck CheckDateField(std::string_view fieldText, int formatCode) {
  DateFieldCheck check;
  check.text = InsertDateSeparators(fieldText);
  if (!IsAcceptableDateText(check.text, formatCode)) check.message = kInvalidDateMessage;
  return check;
}

}  // namespace vantry::dates

// Date text as the date fields and the address box read it: the first byte picks
// the format code, the next field the separators of a tokenizer, the rest is the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dates/CalendarDate.h"
#include "dates/CalendarMath.h"
#include "dates/DateField.h"
#include "dates/Tokenizer.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::dates;
  vantry::fuzz::FuzzInput input(data, size);
  const int formatCode = input.Byte() % 8;
  const std::string_view separators = input.Field();
  const std::string_view text = input.Rest();
  CheckDateField(text, formatCode);
  CalendarDate date(text, formatCode);
  if (date.IsValid()) {
    // A valid date's day number leads back to the same date.
    const MonthDayYear back = DateFromDayNumber(date.DayNumber());
    if (back.month != date.Month() || back.day != date.Day() || back.year != date.Year()) std::abort();
    date.WeekdayName();
    date.LongTimeText(true);
    date.SubtractDays(static_cast<int>(text.size()) - 64);
  }
  const Tokenizer tokens(text, separators, formatCode % 2 == 1);
  for (int i = 0; i <= tokens.Count() + 1; ++i) tokens.Token(i);
  return 0;
}

#pragma once

#include <string_view>

// The user's date format preference as stored under "Date_Format":
// 0 "MMDDYY", 1 "DDMMYY", 2 "MMDDYYYY", 3 "DDMMYYYY".
// The library never reads settings itself; the application hands the stored value
// over at start and whenever the preferences change. Until then it is 0.
namespace vantry::dates {

void SetDateFormatPreference(int storedValue);
int DateFormatPreference();

// The format code a date built with code 0 parses with: the stored value plus 1.
int PreferredFormatCode();

// "MMDDYY" ... "DDMMYYYY" for a stored value 0..3; empty for any other value.
std::string_view DateFormatName(int storedValue);

}  // namespace vantry::dates

#pragma once

#include <string>
#include <string_view>

// The check behind every date field of the dialogs: the dialog passes the field's
// text when the user confirms, writes `text` back, and on rejection shows `message`
// (in a box with an empty title) and keeps the focus in the field.
namespace vantry::dates {

inline constexpr std::string_view kInvalidDateMessage = "Invalid Date or Format";

struct DateFieldCheck {
  std::string text;     // the field's text after separators were inserted
  std::string message;  // empty when the text was accepted
  bool Accepted() const { return message.empty(); }
};

// "010199" -> "01/01/99": a text of 6 to 11 characters without any of "/.-" gets a
// "/" after its second and fourth character; any other text comes back unchanged.
std::string InsertDateSeparators(std::string_view text);

// Empty text is accepted; otherwise it must be at least 6 characters of digits and
// "/.-", at most 11 when it has no separator, and parse (format code 0 meaning the
// user's preference) to a valid date.
bool IsAcceptableDateText(std::string_view text, int formatCode = 0);

// InsertDateSeparators followed by IsAcceptableDateText.
DateFieldCheck CheckDateField(std::string_view fieldText, int formatCode = 0);

}  // namespace vantry::dates

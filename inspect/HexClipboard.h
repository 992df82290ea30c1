#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantry::inspect {

// The clipboard as the hex view uses it: raw bytes and their text form, offered together.
class HexClipboard {
 public:
  virtual ~HexClipboard() = default;
  // Replaces the clipboard's content by both forms.
  virtual void Offer(std::string_view rawBytes, std::string_view text) = 0;
  // The raw bytes when the clipboard holds our binary format, else nothing.
  virtual std::optional<std::string> RawBytes() const = 0;
  // The plain text when the clipboard holds any, else nothing.
  virtual std::optional<std::string> PlainText() const = 0;
};

}  // namespace vantry::inspect

#pragma once

#include "inspect/HexClipboard.h"

namespace vantry::inspect {

// Our own MIME type for raw bytes, offered beside text/plain.
inline constexpr char kBinaryDataMimeType[] = "application/x-vantry-binarydata";

// The hex view's clipboard on the system clipboard.
class QtHexClipboard : public HexClipboard {
 public:
  void Offer(std::string_view rawBytes, std::string_view text) override;
  std::optional<std::string> RawBytes() const override;
  std::optional<std::string> PlainText() const override;
};

}  // namespace vantry::inspect

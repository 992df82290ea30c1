#include "DisplayText.h"

namespace {

// Length of the UTF-8 sequence a lead byte starts; 0 for bytes that start none.
int SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The code point of a complete, shortest-form sequence, or 0 when it is not one.
char32_t DecodeSequence(std::string_view bytes, size_t at, int length) {
  if (length == 0 || at + length > bytes.size()) return 0;
  char32_t code = static_cast<unsigned char>(bytes[at]) & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return overlong || surrogate || code > 0x10FFFF ? 0 : code;
}

}  // namespace

QString DisplayText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  size_t at = 0;
  while (at < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[at]);
    int length = lead < 0x80 ? 1 : SequenceLength(lead);
    char32_t code = length == 1 ? lead : DecodeSequence(bytes, at, length);
    if (length > 1 && code != 0) {
      text += QString::fromUcs4(&code, 1);
      at += length;
    } else {
      text += QChar(lead);
      ++at;
    }
  }
  return text;
}

#include "archive/HtmlEntities.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::array<std::pair<std::string_view, char>, 5> kNamed{{
    {"amp;", '&'},
    {"lt;", '<'},
    {"gt;", '>'},
    {"quot;", '"'},
    {"apos;", '\''},
}};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes the numeric reference that `text` (what follows "&#") begins with; returns the
// characters it used, 0 when there is none.
std::size_t DecodeNumeric(std::string_view text, std::string& out) {
  const bool hex = !text.empty() && (text[0] == 'x' || text[0] == 'X');
  const char* digits = text.data() + (hex ? 1 : 0);
  std::uint32_t code = 0;
  const auto [end, error] = std::from_chars(digits, text.data() + text.size(), code, hex ? 16 : 10);
  if (error != std::errc() || end == digits) return 0;
  std::size_t used = static_cast<std::size_t>(end - text.data());
  if (used < text.size() && text[used] == ';') ++used;
  AppendUtf8(out, code);
  return used;
}

}  // namespace

std::string DecodeAttributeValue(std::string_view raw) {
  if (raw.find('&') == std::string_view::npos) return std::string(raw);
  std::string out;
  out.reserve(raw.size());
  for (std::size_t at = 0; at < raw.size();) {
    if (raw[at] != '&') {
      out += raw[at++];
      continue;
    }
    const std::string_view rest = raw.substr(at + 1);
    if (rest.starts_with('#')) {
      if (const std::size_t used = DecodeNumeric(rest.substr(1), out); used != 0) {
        at += 2 + used;
        continue;
      }
    }
    bool named = false;
    for (const auto& [name, character] : kNamed) {
      if (text::StartsWithNoCase(rest, name)) {
        out += character;
        at += 1 + name.size();
        named = true;
        break;
      }
    }
    if (!named) out += raw[at++];
  }
  return out;
}

void AppendAttributeValue(std::string& out, std::string_view text, char quote) {
  std::size_t run = 0;  // the start of the bytes not yet appended, none of them special
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '&' && text[at] != quote) continue;
    out.append(text, run, at - run);
    out += text[at] == '&' ? "&amp;" : quote == '"' ? "&quot;" : "&#39;";
    run = at + 1;
  }
  out.append(text, run);
}

}  // namespace vantry::archive

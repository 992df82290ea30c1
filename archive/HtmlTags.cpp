#include "archive/HtmlTags.h"

#include <array>
#include <cstring>

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What each byte does inside a tag, looked up once per byte.
enum : unsigned char { kBlank = 1, kEndsTagName = 2, kEndsAttributeName = 4, kEndsUnquotedValue = 8 };
constexpr std::array<unsigned char, 256> kTagBytes = [] {
  std::array<unsigned char, 256> bytes{};
  for (const unsigned char blank : {' ', '\t', '\n', '\r', '\f'}) {
    bytes[blank] = kBlank | kEndsTagName | kEndsAttributeName | kEndsUnquotedValue;
  }
  bytes['/'] = kEndsTagName | kEndsAttributeName;
  bytes['>'] = kEndsTagName | kEndsAttributeName | kEndsUnquotedValue;
  bytes['='] = kEndsAttributeName;
  return bytes;
}();

bool Is(char c, unsigned char what) { return (kTagBytes[static_cast<unsigned char>(c)] & what) != 0; }

// Elements whose content the tokenizer reads as text up to their own end tag.
constexpr std::array<std::string_view, 8> kRawTextElements = {"script", "style",  "textarea", "title",
                                                              "xmp",    "iframe", "noembed",  "noframes"};

bool IsRawTextElement(std::string_view name) {
  if (name.size() < 3 || name.size() > 8) return false;
  const char first = text::LowerAscii(name[0]);
  for (std::string_view raw : kRawTextElements) {
    if (raw[0] == first && text::EqualsNoCase(name, raw)) return true;
  }
  return false;
}

}  // namespace

const HtmlAttribute* FindAttribute(const HtmlStartTag& tag, std::string_view name) {
  for (const HtmlAttribute& attribute : tag.attributes) {
    if (text::EqualsNoCase(attribute.name, name)) return &attribute;
  }
  return nullptr;
}

bool HtmlTagReader::Next(HtmlStartTag& tag) {
  const std::size_t size = html_.size();
  while (pos_ < size) {
    const void* found = std::memchr(html_.data() + pos_, '<', size - pos_);
    if (found == nullptr) break;
    const std::size_t open = static_cast<std::size_t>(static_cast<const char*>(found) - html_.data());
    const std::size_t next = open + 1;
    if (next >= size) break;
    const char c = html_[next];
    if (IsLetter(c)) {
      if (ReadStartTag(next, tag)) return true;
      continue;
    }
    if (html_.substr(open, 4) == "<!--") {
      // "<!-->" and "<!--->" close at once; otherwise the comment runs to "-->".
      std::size_t close = html_.find("-->", open + 2);
      pos_ = close == std::string_view::npos ? size : close + 3;
    } else if (c == '!' || c == '?' || c == '/') {
      const std::size_t close = html_.find('>', next);
      pos_ = close == std::string_view::npos ? size : close + 1;
    } else {
      pos_ = next;
    }
  }
  pos_ = size;
  return false;
}

bool HtmlTagReader::ReadStartTag(std::size_t nameBegin, HtmlStartTag& tag) {
  std::size_t at = nameBegin;
  while (at < html_.size() && !Is(html_[at], kEndsTagName)) ++at;
  tag.name = html_.substr(nameBegin, at - nameBegin);
  tag.attributes.clear();
  tag.textBegin = tag.textEnd = 0;
  pos_ = at;
  if (!ReadAttributes(tag)) return false;
  if (IsRawTextElement(tag.name)) SkipRawText(tag);
  return true;
}

bool HtmlTagReader::ReadAttributes(HtmlStartTag& tag) {
  const std::size_t size = html_.size();
  std::size_t at = pos_;
  for (;;) {
    while (at < size && (Is(html_[at], kBlank) || html_[at] == '/')) ++at;
    if (at >= size) break;
    if (html_[at] == '>') {
      tag.end = pos_ = at + 1;
      return true;
    }
    const std::size_t nameBegin = at++;  // a first '=' belongs to the name
    while (at < size && !Is(html_[at], kEndsAttributeName)) ++at;
    HtmlAttribute attribute{html_.substr(nameBegin, at - nameBegin), at, at, 0};
    while (at < size && Is(html_[at], kBlank)) ++at;
    if (at < size && html_[at] == '=') {
      ++at;
      while (at < size && Is(html_[at], kBlank)) ++at;
      if (at < size && (html_[at] == '"' || html_[at] == '\'')) {
        attribute.quote = html_[at];
        const std::size_t close = html_.find(attribute.quote, at + 1);
        if (close == std::string_view::npos) break;
        attribute.valueBegin = at + 1;
        attribute.valueEnd = close;
        at = close + 1;
      } else {
        attribute.valueBegin = at;
        while (at < size && !Is(html_[at], kEndsUnquotedValue)) ++at;
        attribute.valueEnd = at;
      }
    }
    tag.attributes.push_back(attribute);
  }
  pos_ = size;  // the page ends inside the tag
  return false;
}

void HtmlTagReader::SkipRawText(HtmlStartTag& tag) {
  tag.textBegin = pos_;
  std::size_t at = pos_;
  for (;;) {
    at = html_.find("</", at);
    if (at == std::string_view::npos) {
      tag.textEnd = pos_ = html_.size();
      return;
    }
    const std::size_t after = at + 2 + tag.name.size();
    if (text::EqualsNoCase(html_.substr(at + 2, tag.name.size()), tag.name) &&
        (after >= html_.size() || Is(html_[after], kEndsTagName))) {
      tag.textEnd = pos_ = at;
      return;
    }
    at += 2;
  }
}

}  // namespace vantry::archive

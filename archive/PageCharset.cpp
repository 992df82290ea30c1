#include "archive/PageCharset.h"

#include "archive/DocumentKind.h"
#include "archive/HtmlTags.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

// Browsers look for the declaration in this many bytes at the start of a page.
constexpr std::size_t kPrescanBytes = 1024;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The place of the charset name in a content type's text, or npos.
std::size_t CharsetStart(std::string_view contentType, std::size_t& length) {
  std::size_t at = text::FindNoCase(contentType, "charset");
  if (at == std::string_view::npos) return at;
  at += 7;
  while (at < contentType.size() && (contentType[at] == ' ' || contentType[at] == '=')) ++at;
  if (at < contentType.size() && (contentType[at] == '"' || contentType[at] == '\'')) ++at;
  std::size_t end = at;
  while (end < contentType.size() && contentType[end] != ';' && contentType[end] != '"' && contentType[end] != '\'' &&
         contentType[end] != ' ') {
    ++end;
  }
  length = end - at;
  return length == 0 ? std::string_view::npos : at;
}

bool HasByteOrderMark(std::string_view html) {
  return html.starts_with("\xEF\xBB\xBF") || html.starts_with("\xFE\xFF") || html.starts_with("\xFF\xFE");
}

}  // namespace

std::string CharsetOf(std::string_view contentType) {
  std::size_t length = 0;
  const std::size_t at = CharsetStart(contentType, length);
  return at == std::string_view::npos ? std::string() : std::string(Trimmed(contentType.substr(at, length)));
}

std::string KeepStatedCharset(std::string html, std::string_view contentType) {
  // XHTML is read by an XML parser, which takes its charset from the XML declaration.
  const std::string charset = CharsetOf(contentType);
  if (charset.empty() || HasByteOrderMark(html) || !text::EqualsNoCase(MediaTypeOf(contentType), "text/html"))
    return html;
  const std::string_view start = std::string_view(html).substr(0, kPrescanBytes);
  HtmlTagReader reader(start);
  HtmlStartTag tag;
  std::size_t insertAt = 0;
  bool headSeen = false;
  while (reader.Next(tag)) {
    if (text::EqualsNoCase(tag.name, "head") && !headSeen) {
      headSeen = true;
      insertAt = tag.end;
    }
    if (!text::EqualsNoCase(tag.name, "meta")) continue;
    std::size_t begin = std::string_view::npos;
    std::size_t length = 0;
    if (const HtmlAttribute* declared = FindAttribute(tag, "charset")) {
      begin = declared->valueBegin;
      length = declared->valueEnd - declared->valueBegin;
    } else if (const HtmlAttribute* content = FindAttribute(tag, "content");
               content != nullptr && FindAttribute(tag, "http-equiv") != nullptr) {
      const std::string_view value = start.substr(content->valueBegin, content->valueEnd - content->valueBegin);
      const std::size_t within = CharsetStart(value, length);
      if (within != std::string_view::npos) begin = content->valueBegin + within;
    }
    if (begin == std::string_view::npos) continue;
    if (!text::EqualsNoCase(Trimmed(start.substr(begin, length)), charset)) html.replace(begin, length, charset);
    return html;
  }
  if (!headSeen) {
    std::size_t at = 0;
    while (at < start.size() && (start[at] == ' ' || start[at] == '\n' || start[at] == '\r' || start[at] == '\t')) ++at;
    if (text::StartsWithNoCase(start.substr(at), "<!doctype")) insertAt = start.find('>', at) + 1;
  }
  html.insert(insertAt, "<meta charset=\"" + charset + "\">");
  return html;
}

}  // namespace vantry::archive

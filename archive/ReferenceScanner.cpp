#include "archive/ReferenceScanner.h"

#include <array>
#include <optional>

#include "files/WholeFile.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kFirstReadLimit = 4096;         // bytes, terminator included
constexpr std::size_t kContinuationReadLimit = 2096;  // bytes, terminator included
// A tag that never closes stops being joined here; the rest is scanned as further lines.
constexpr std::size_t kJoinedLineBound = 64 * 1024;

// Reads a text like fgets in text mode: up to limit-1 bytes or through the next line feed,
// with the carriage return of a CR LF line end dropped.
class LineSource {
 public:
  explicit LineSource(std::string_view text) : text_(text) {}

  std::optional<std::string> Read(std::size_t limit) {
    if (pos_ >= text_.size()) return std::nullopt;
    std::string line;
    while (pos_ < text_.size() && line.size() + 1 < limit) {
      char c = text_[pos_++];
      if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') c = text_[pos_++];
      line.push_back(c);
      if (c == '\n') break;
    }
    return line;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsTagOfInterest(std::string_view at) {
  if (at.size() < 2) return false;
  if (at[1] == 'a' || at[1] == 'A') return true;
  if (at.starts_with("<img") || at.starts_with("<IMG")) return true;
  if (at.starts_with("<link") || at.starts_with("<LINK")) return true;
  for (std::string_view prefix : {"<embed", "<base", "<body", "<form", "<area", "<frame"}) {
    if (text::StartsWithNoCase(at, prefix)) return true;
  }
  return false;
}

struct ExtractionRule {
  std::string_view tag;        // prefix at the '<'; empty for the a-tag row
  std::string_view attribute;  // searched case-insensitively, '=' included
  bool toLinks;
};

constexpr std::array<ExtractionRule, 6> kRules{{
    {"", "href=", true},
    {"<img", "src=", false},
    {"<link", "href=", true},
    {"<embed", "src=", false},
    {"<body", "background=", false},
    {"<frame", "src=", true},
}};

const ExtractionRule* RuleAt(std::string_view at) {
  if (at.size() >= 2 && (at[1] == 'a' || at[1] == 'A')) return &kRules[0];
  for (std::size_t i = 1; i < kRules.size(); ++i) {
    if (text::StartsWithNoCase(at, kRules[i].tag)) return &kRules[i];
  }
  return nullptr;
}

bool SkippedBeforeValue(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '"' || c == '\''; }
bool EndsValue(char c) { return c == '"' || c == '>' || c == ' ' || c == '\n' || c == '\''; }

// Takes the reference of the tag at `p` (a '<'); returns where the scan resumes: the character
// that ended the value, or `p` when nothing was taken. The attribute search is not bounded by the
// tag's own '>', so an a-tag without href takes the href of a later tag on the line.
std::size_t ExtractReference(std::string_view line, std::size_t p, PageReferences& refs) {
  const ExtractionRule* rule = RuleAt(line.substr(p));
  if (rule == nullptr) return p;
  const std::size_t found = text::FindNoCase(line, rule->attribute, p);
  if (found == std::string_view::npos) return p;
  std::size_t start = found + rule->attribute.size();
  while (start < line.size() && SkippedBeforeValue(line[start])) ++start;
  const bool isATag = rule == &kRules[0];
  if (!isATag && start == line.size()) return p;  // no character left to form a value
  std::size_t end = isATag ? start : start + 1;
  while (end < line.size() && !EndsValue(line[end])) ++end;
  const std::string_view value = line.substr(start, end - start);
  (rule->toLinks ? refs.links : refs.images).Add(value);
  return end;
}

// Walks one joined line. The comment level carries from line to line within the page.
void ScanLine(std::string_view line, int& commentLevel, PageReferences& refs) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (commentLevel > 0) {
      if (line.substr(i, 2) == "--") --commentLevel;
      if (line[i] == '>' && commentLevel > 0) --commentLevel;
    }
    if (line[i] != '<') continue;
    if (line.substr(i, 4) == "<!--") {
      ++commentLevel;
      i += 3;
    } else if (commentLevel == 0) {
      i = ExtractReference(line, i, refs);
    }
  }
}

}  // namespace

bool TagIsOpen(std::string_view text) {
  const std::size_t lastClose = text.rfind('>');
  const std::size_t from = lastClose == std::string_view::npos ? 0 : lastClose + 1;
  for (std::size_t i = text.find('<', from); i != std::string_view::npos; i = text.find('<', i + 1)) {
    if (IsTagOfInterest(text.substr(i))) return true;
  }
  return false;
}

PageReferences ScanHtmlText(std::string_view text) {
  PageReferences refs;
  int commentLevel = 0;
  LineSource source(text);
  while (std::optional<std::string> line = source.Read(kFirstReadLimit)) {
    while (line->size() < kJoinedLineBound && TagIsOpen(*line)) {
      std::optional<std::string> more = source.Read(kContinuationReadLimit);
      if (!more) break;
      line->append(*more);
    }
    ScanLine(*line, commentLevel, refs);
  }
  return refs;
}

PageReferences ScanPage(const std::string& path, UserPrompt& prompt) {
  const std::optional<std::string> text = files::ReadWholeFile(path);
  if (!text) {
    prompt.Tell("Problem opening the file", "ReadHtml");
    return {};
  }
  return ScanHtmlText(*text);
}

}  // namespace vantry::archive

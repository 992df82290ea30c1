#include "archive/ReferenceScanner.h"

#include <array>
#include <bit>
#include <cstdint>

#include "archive/HtmlTags.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

struct AttributeRule {
  std::string_view tag;
  std::string_view attribute;
  ValueKind kind;
  ReferenceRole role;
};

constexpr std::array<AttributeRule, 28> kRules{{
    {"a", "href", ValueKind::kUrl, ReferenceRole::kLink},
    {"area", "href", ValueKind::kUrl, ReferenceRole::kLink},
    {"form", "action", ValueKind::kUrl, ReferenceRole::kLink},
    {"link", "href", ValueKind::kUrl, ReferenceRole::kLink},  // a requisite for the relations below
    {"link", "imagesrcset", ValueKind::kSrcset, ReferenceRole::kLink},
    {"img", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"img", "srcset", ValueKind::kSrcset, ReferenceRole::kRequisite},
    {"source", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"source", "srcset", ValueKind::kSrcset, ReferenceRole::kRequisite},
    {"script", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"embed", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"object", "data", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"video", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"video", "poster", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"audio", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"track", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"input", "src", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"body", "background", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"table", "background", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"td", "background", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"th", "background", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"image", "href", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"image", "xlink:href", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"use", "href", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"use", "xlink:href", ValueKind::kUrl, ReferenceRole::kRequisite},
    {"frame", "src", ValueKind::kUrl, ReferenceRole::kFrame},
    {"iframe", "src", ValueKind::kUrl, ReferenceRole::kFrame},
    {"base", "href", ValueKind::kBase, ReferenceRole::kLink},
}};

// For each first letter, the rules whose tag begins with it (bit i stands for kRules[i]).
constexpr std::array<std::uint32_t, 26> kRulesByFirstLetter = [] {
  std::array<std::uint32_t, 26> rules{};
  for (std::size_t i = 0; i < kRules.size(); ++i) rules[kRules[i].tag[0] - 'a'] |= std::uint32_t{1} << i;
  return rules;
}();

// The rules of a tag called `name` (ignoring case), as bits of kRules.
std::uint32_t RulesOf(std::string_view name) {
  const char first = name.empty() ? '\0' : text::LowerAscii(name[0]);
  if (first < 'a' || first > 'z') return 0;
  std::uint32_t rules = 0;
  for (std::uint32_t candidates = kRulesByFirstLetter[first - 'a']; candidates != 0; candidates &= candidates - 1) {
    const int rule = std::countr_zero(candidates);
    if (text::EqualsNoCase(kRules[rule].tag, name)) rules |= std::uint32_t{1} << rule;
  }
  return rules;
}

// Link relations whose target the page loads itself.
constexpr std::array<std::string_view, 8> kRequisiteRelations = {
    "stylesheet", "icon",    "apple-touch-icon", "apple-touch-icon-precomposed",
    "mask-icon",  "preload", "modulepreload",    "prefetch"};

bool HasRequisiteRelation(std::string_view html, const HtmlStartTag& tag) {
  const HtmlAttribute* rel = FindAttribute(tag, "rel");
  if (rel == nullptr) return false;
  std::string_view tokens = html.substr(rel->valueBegin, rel->valueEnd - rel->valueBegin);
  while (!tokens.empty()) {
    std::size_t end = 0;
    while (end < tokens.size() && !text::IsAsciiSpace(tokens[end])) ++end;
    for (std::string_view relation : kRequisiteRelations) {
      if (text::EqualsNoCase(tokens.substr(0, end), relation)) return true;
    }
    tokens.remove_prefix(end < tokens.size() ? end + 1 : end);
  }
  return false;
}

bool IsRefresh(std::string_view html, const HtmlStartTag& tag) {
  const HtmlAttribute* equiv = FindAttribute(tag, "http-equiv");
  return equiv != nullptr &&
         text::EqualsNoCase(html.substr(equiv->valueBegin, equiv->valueEnd - equiv->valueBegin), "refresh");
}

void AddTagReferences(std::string_view html, const HtmlStartTag& tag, std::vector<HtmlReference>& found) {
  const auto add = [&](const HtmlAttribute& attribute, ValueKind kind, ReferenceRole role) {
    found.push_back({attribute.valueBegin, attribute.valueEnd, attribute.quote, true, kind, role});
  };
  const std::uint32_t rules = RulesOf(tag.name);
  const bool isMeta = text::EqualsNoCase(tag.name, "meta");
  const bool linkRequisite = text::EqualsNoCase(tag.name, "link") && HasRequisiteRelation(html, tag);
  for (const HtmlAttribute& attribute : tag.attributes) {
    if (attribute.quote == 0 && attribute.valueBegin == attribute.valueEnd) continue;
    if (text::EqualsNoCase(attribute.name, "style")) {
      add(attribute, ValueKind::kStyle, ReferenceRole::kRequisite);
    } else if (isMeta && text::EqualsNoCase(attribute.name, "content") && IsRefresh(html, tag)) {
      add(attribute, ValueKind::kRefresh, ReferenceRole::kLink);
    }
    for (std::uint32_t left = rules; left != 0; left &= left - 1) {
      const int rule = std::countr_zero(left);
      if (text::EqualsNoCase(kRules[rule].attribute, attribute.name)) {
        add(attribute, kRules[rule].kind, linkRequisite ? ReferenceRole::kRequisite : kRules[rule].role);
        break;
      }
    }
  }
  if (tag.textEnd > tag.textBegin && text::EqualsNoCase(tag.name, "style")) {
    found.push_back({tag.textBegin, tag.textEnd, 0, false, ValueKind::kStyle, ReferenceRole::kRequisite});
  }
}

}  // namespace

std::vector<HtmlReference> FindHtmlReferences(std::string_view html) {
  std::vector<HtmlReference> found;
  HtmlTagReader reader(html);
  HtmlStartTag tag;
  while (reader.Next(tag)) AddTagReferences(html, tag, found);
  return found;
}

void ForEachSrcsetAddress(std::string_view srcset, const std::function<void(std::size_t, std::size_t)>& take) {
  std::size_t at = 0;
  while (at < srcset.size()) {
    while (at < srcset.size() && (text::IsAsciiSpace(srcset[at]) || srcset[at] == ',')) ++at;
    if (at >= srcset.size()) return;
    const std::size_t begin = at;
    while (at < srcset.size() && !text::IsAsciiSpace(srcset[at])) ++at;
    std::size_t end = at;
    const bool endsCandidate = srcset[end - 1] == ',';
    while (end > begin && srcset[end - 1] == ',') --end;
    if (end > begin) take(begin, end);
    if (endsCandidate) continue;
    // The descriptors run to the next comma outside parentheses.
    int depth = 0;
    while (at < srcset.size() && (depth > 0 || srcset[at] != ',')) {
      if (srcset[at] == '(') ++depth;
      if (srcset[at] == ')' && depth > 0) --depth;
      ++at;
    }
  }
}

TextRange RefreshAddress(std::string_view content) {
  std::size_t at = 0;
  while (at < content.size() && ((content[at] >= '0' && content[at] <= '9') || content[at] == '.')) ++at;
  while (at < content.size() && (text::IsAsciiSpace(content[at]) || content[at] == ';' || content[at] == ',')) ++at;
  if (text::StartsWithNoCase(content.substr(at), "url")) {
    std::size_t after = at + 3;
    while (after < content.size() && text::IsAsciiSpace(content[after])) ++after;
    if (after < content.size() && content[after] == '=') {
      at = after + 1;
      while (at < content.size() && text::IsAsciiSpace(content[at])) ++at;
    }
  }
  if (at >= content.size()) return {};
  std::size_t end = content.size();
  if (content[at] == '"' || content[at] == '\'') {
    const std::size_t close = content.find(content[at], at + 1);
    end = close == std::string_view::npos ? content.size() : close;
    ++at;
  }
  while (end > at && text::IsAsciiSpace(content[end - 1])) --end;
  return {at, end};
}

}  // namespace vantry::archive

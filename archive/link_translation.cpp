#include "archive/link_translation.h"

#include <algorithm>

#include "archive/text_util.h"

namespace vantry::archive {
namespace {

bool EndsAttributeValue(char c) { return c == ' ' || c == '"' || c == '\''; }

struct Match {
  std::size_t start;
  std::size_t end;
  int pair;
};

}  // namespace

LinkTranslation::LinkTranslation() : nodes_(1) { root_children_.fill(-1); }

int LinkTranslation::ChildOf(int node, unsigned char byte) const {
  if (node == 0) return root_children_[byte];
  for (int child = nodes_[node].first_child; child != -1; child = nodes_[child].next_sibling) {
    if (nodes_[child].byte == byte) return child;
  }
  return -1;
}

int LinkTranslation::AddChild(int node, unsigned char byte) {
  const int existing = ChildOf(node, byte);
  if (existing != -1) return existing;
  const int child = static_cast<int>(nodes_.size());
  Node added;
  added.byte = byte;
  if (node == 0) {
    root_children_[byte] = child;
  } else {
    added.next_sibling = nodes_[node].first_child;
    nodes_[node].first_child = child;
  }
  nodes_.push_back(added);
  return child;
}

void LinkTranslation::Add(std::string search, std::string replacement) {
  const int index = static_cast<int>(pairs_.size());
  if (!search.empty()) {
    int node = 0;
    for (auto c = search.rbegin(); c != search.rend(); ++c) {
      node = AddChild(node, static_cast<unsigned char>(*c));
    }
    if (nodes_[node].pair == -1) nodes_[node].pair = index;
  }
  search_texts_.insert(search);
  pairs_.push_back({std::move(search), std::move(replacement)});
}

bool LinkTranslation::HasSearchText(std::string_view search) const {
  return search_texts_.contains(std::string(search));
}

bool LinkTranslation::Apply(std::string& text) const {
  std::vector<Match> matches;
  for (std::size_t end = 1; end < text.size(); ++end) {
    if (!EndsAttributeValue(text[end])) continue;
    std::size_t start = end;
    for (int node = 0; start > 0;) {
      node = ChildOf(node, static_cast<unsigned char>(text[--start]));
      if (node == -1) break;
      if (nodes_[node].pair != -1) matches.push_back({start, end, nodes_[node].pair});
    }
  }
  if (matches.empty()) return false;
  std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
    return a.start != b.start ? a.start < b.start : a.pair < b.pair;
  });
  std::string translated;
  translated.reserve(text.size() + text.size() / 4);
  std::size_t copied = 0;
  for (const Match& match : matches) {
    if (match.start < copied) continue;  // overlaps a match that starts earlier
    translated.append(text, copied, match.start - copied).append(pairs_[match.pair].replacement);
    copied = match.end;
  }
  translated.append(text, copied);
  const bool changed = translated != text;
  text = std::move(translated);
  return changed;
}

bool BlankLeadingSlashOfAnchors(std::string& text, std::string_view local_prefix) {
  bool changed = false;
  for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
    std::size_t at = open + 1;
    if (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size() || text[at] != 'a') continue;
    const std::string_view tag(text.data(), std::min(text.find('>', at), text.size()));
    const std::size_t tag_end = tag.size();
    for (std::size_t href = FindNoCase(tag, "href", at); href != std::string::npos;
         href = FindNoCase(tag, "href", href + 1)) {
      std::size_t value = href + 4;
      if (value < tag_end && text[value] == ' ') ++value;
      if (value >= tag_end || text[value] != '=') continue;
      ++value;
      if (value < text.size() && text[value] == ' ') ++value;
      if (value < text.size() && text[value] == '"') {
        ++value;
        if (value < text.size() && text[value] == '\'') ++value;
      } else if (value < text.size() && text[value] == '\'') {
        ++value;
      }
      if (value < text.size() && text[value] == '/' &&
          !std::string_view(text).substr(value).starts_with(local_prefix)) {
        text[value] = ' ';
        changed = true;
      }
      break;
    }
  }
  return changed;
}

}  // namespace vantry::archive

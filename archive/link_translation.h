#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "archive/change_log.h"

namespace vantry::archive {

// The replacement pairs of a tree copy, applied to a page in memory in one pass.
class LinkTranslation {
 public:
  LinkTranslation();

  // Appends a pair; pairs keep the order in which they were added. Empty search texts never match.
  void Add(std::string search, std::string replacement);
  // Whether `search` is exactly one of the search texts added so far.
  bool HasSearchText(std::string_view search) const;
  const std::vector<ReplacementPair>& pairs() const { return pairs_; }

  // Replaces every occurrence of a search text that is followed by a blank, a double quote or a
  // single quote (so that it ends an attribute value); the character before it is not examined.
  // Where occurrences overlap, the one that starts first wins, so a full address is never cut
  // by a pair for its own tail; on an equal start the earlier pair wins. Replacements are not
  // searched again. Returns whether the text changed.
  bool Apply(std::string& text) const;

 private:
  // A trie over the reversed search texts, walked backwards from each character that can end
  // an attribute value.
  struct Node {
    int pair = -1;  // the earliest pair whose search text ends here
    int first_child = -1;
    int next_sibling = -1;
    unsigned char byte = 0;
  };
  int ChildOf(int node, unsigned char byte) const;
  int AddChild(int node, unsigned char byte);

  std::vector<ReplacementPair> pairs_;
  std::unordered_set<std::string> search_texts_;
  std::vector<Node> nodes_;                // nodes_[0] is the root
  std::array<int, 256> root_children_;
};

// In each anchor tag ('<', one optional blank, a lower-case 'a') whose href value begins with
// '/', overwrites that slash with a blank, so that a server-absolute path reads as a path
// relative to the page. Values that begin with `local_prefix` (the local paths a tree copy
// wrote) are kept. Returns whether the text changed.
bool BlankLeadingSlashOfAnchors(std::string& text, std::string_view local_prefix);

}  // namespace vantry::archive

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "archive/ChangeLog.h"

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
  // Search texts are found from the character that ends them: a filter on their last two
  // bytes rejects most candidate ends at once, then texts are looked up by their last eight
  // bytes (shorter texts whole) and compared in full.
  struct LongText {
    std::uint64_t beforeLast = 0;  // up to 8 bytes before the last 8, zero-padded
    std::uint32_t length = 0;
    int pair = -1;
    int next = -1;  // the next text with the same last 8 bytes
  };
  struct Slot {
    std::uint64_t last = 0;  // the last 8 bytes of the texts in this slot
    int first = -1;          // index into longTexts_, -1 for an empty slot
  };
  static std::uint64_t LastBytes(const char* end, std::size_t count);
  std::size_t SlotOf(std::uint64_t last) const;
  void AddLongText(const std::string& search, int pair);
  void Candidates(const char* data, std::size_t end, std::vector<int>& found) const;

  std::vector<ReplacementPair> pairs_;
  std::unordered_map<std::string, int> firstPairOf_;                  // search text -> its earliest pair
  std::array<std::uint64_t, 1024> lastTwoBytes_{};                    // bit set: a text ends in these two bytes
  std::vector<LongText> longTexts_;                                   // texts of 8 bytes or more
  std::vector<Slot> slots_;                                           // open addressing by the last 8 bytes
  std::array<std::unordered_map<std::uint64_t, int>, 8> shortTexts_;  // [length] by the text
  unsigned shortLengths_ = 0;                                         // bit n: a search text of n bytes exists
};

// In each anchor tag ('<', one optional blank, a lower-case 'a') whose href value begins with
// '/', overwrites that slash with a blank, so that a server-absolute path reads as a path
// relative to the page. Values that begin with `localPrefix` (the local paths a tree copy
// wrote) are kept. Returns whether the text changed.
bool BlankLeadingSlashOfAnchors(std::string& text, std::string_view localPrefix);

}  // namespace vantry::archive

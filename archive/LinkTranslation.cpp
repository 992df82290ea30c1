#include "archive/LinkTranslation.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

// The byte scan below reads the first byte of a word as its lowest.
static_assert(std::endian::native == std::endian::little);

struct Match {
  std::size_t start;
  std::size_t end;
  int pair;
};

}  // namespace

LinkTranslation::LinkTranslation() = default;

std::uint64_t LinkTranslation::LastBytes(const char* end, std::size_t count) {
  std::uint64_t key = 0;
  std::memcpy(&key, end - count, count);
  return key;
}

void LinkTranslation::Add(std::string search, std::string replacement) {
  const int index = static_cast<int>(pairs_.size());
  const std::size_t length = search.size();
  if (length != 0 && firstPairOf_.emplace(search, index).second) {
    const auto last = static_cast<unsigned char>(search.back());
    const auto mark = [this](unsigned key) { lastTwoBytes_[key >> 6] |= std::uint64_t{1} << (key & 63); };
    if (length == 1) {
      for (unsigned before = 0; before < 256; ++before) mark(before << 8 | last);
    } else {
      mark(static_cast<unsigned char>(search[length - 2]) << 8 | last);
    }
    const char* end = search.data() + length;
    if (length >= 8) {
      AddLongText(search, index);
    } else {
      shortTexts_[length].emplace(LastBytes(end, length), index);
      shortLengths_ |= 1u << length;
    }
  }
  pairs_.push_back({std::move(search), std::move(replacement)});
}

std::size_t LinkTranslation::SlotOf(std::uint64_t last) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = static_cast<std::size_t>((last * 0x9E3779B97F4A7C15ULL) >> 32) & mask;
  while (slots_[slot].first != -1 && slots_[slot].last != last) slot = (slot + 1) & mask;
  return slot;
}

void LinkTranslation::AddLongText(const std::string& search, int pair) {
  if (slots_.size() < 2 * (longTexts_.size() + 1)) {  // keep the table at most half full
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
    for (const Slot& slot : old) {
      if (slot.first != -1) slots_[SlotOf(slot.last)] = slot;
    }
  }
  const char* end = search.data() + search.size();
  const std::size_t beforeCount = std::min<std::size_t>(8, search.size() - 8);
  LongText text;
  text.beforeLast = LastBytes(end - 8, beforeCount);
  text.length = static_cast<std::uint32_t>(search.size());
  text.pair = pair;
  Slot& slot = slots_[SlotOf(LastBytes(end, 8))];
  slot.last = LastBytes(end, 8);
  text.next = slot.first;
  slot.first = static_cast<int>(longTexts_.size());
  longTexts_.push_back(text);
}

bool LinkTranslation::HasSearchText(std::string_view search) const {
  return firstPairOf_.contains(std::string(search));
}

void LinkTranslation::Candidates(const char* data, std::size_t end, std::vector<int>& found) const {
  const char* const textEnd = data + end;
  for (unsigned length = 1; length < 8 && length <= end; ++length) {
    if ((shortLengths_ & (1u << length)) == 0) continue;
    const auto& texts = shortTexts_[length];
    if (const auto hit = texts.find(LastBytes(textEnd, length)); hit != texts.end()) {
      found.push_back(hit->second);
    }
  }
  if (end < 8 || slots_.empty()) return;
  const Slot& slot = slots_[SlotOf(LastBytes(textEnd, 8))];
  for (int i = slot.first; i != -1; i = longTexts_[i].next) {
    const LongText& text = longTexts_[i];
    if (text.length > end) continue;
    const std::size_t beforeCount = std::min<std::size_t>(8, text.length - 8);
    if (LastBytes(textEnd - 8, beforeCount) != text.beforeLast) continue;
    const std::size_t rest = text.length - 8 - beforeCount;
    if (rest == 0 || std::memcmp(textEnd - text.length, pairs_[text.pair].search.data(), rest) == 0) {
      found.push_back(text.pair);
    }
  }
}

bool LinkTranslation::Apply(std::string& text) const {
  std::vector<Match> matches;
  std::vector<int> found;
  const char* const data = text.data();
  const std::size_t size = text.size();
  const std::uint64_t* const lastTwo = lastTwoBytes_.data();
  // Looks eight bytes at a time for the characters that can end an attribute value.
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;
  constexpr std::uint64_t kDoubleQuotes = 0x2222222222222222ULL;
  constexpr std::uint64_t kSingleQuotes = 0x2727272727272727ULL;
  for (std::size_t block = 0; block < size; block += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, data + block, std::min<std::size_t>(8, size - block));
    const std::uint64_t blank = word ^ kBlanks;
    const std::uint64_t doubleQuote = word ^ kDoubleQuotes;
    const std::uint64_t singleQuote = word ^ kSingleQuotes;
    // 0x80 in each byte that is zero in one of the three words
    std::uint64_t hits =
        ~((((blank & kLow7) + kLow7) | blank | kLow7) & (((doubleQuote & kLow7) + kLow7) | doubleQuote | kLow7) &
          (((singleQuote & kLow7) + kLow7) | singleQuote | kLow7));
    for (; hits != 0; hits &= hits - 1) {
      const std::size_t end = block + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
      if (end == 0) continue;  // nothing stands before it
      const unsigned key =
          (end >= 2 ? static_cast<unsigned char>(data[end - 2]) << 8 : 0) | static_cast<unsigned char>(data[end - 1]);
      if ((lastTwo[key >> 6] >> (key & 63) & 1) == 0) continue;
      found.clear();
      Candidates(data, end, found);
      for (const int index : found) matches.push_back({end - pairs_[index].search.size(), end, index});
    }
  }
  if (matches.empty()) return false;
  std::sort(matches.begin(), matches.end(),
            [](const Match& a, const Match& b) { return a.start != b.start ? a.start < b.start : a.pair < b.pair; });
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

bool BlankLeadingSlashOfAnchors(std::string& text, std::string_view localPrefix) {
  bool changed = false;
  for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
    std::size_t at = open + 1;
    if (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size() || text[at] != 'a') continue;
    const std::string_view tag(text.data(), std::min(text.find('>', at), text.size()));
    const std::size_t tagEnd = tag.size();
    for (std::size_t href = text::FindNoCase(tag, "href", at); href != std::string::npos;
         href = text::FindNoCase(tag, "href", href + 1)) {
      std::size_t value = href + 4;
      if (value < tagEnd && text[value] == ' ') ++value;
      if (value >= tagEnd || text[value] != '=') continue;
      ++value;
      if (value < text.size() && text[value] == ' ') ++value;
      if (value < text.size() && text[value] == '"') {
        ++value;
        if (value < text.size() && text[value] == '\'') ++value;
      } else if (value < text.size() && text[value] == '\'') {
        ++value;
      }
      if (value < text.size() && text[value] == '/' && !std::string_view(text).substr(value).starts_with(localPrefix)) {
        text[value] = ' ';
        changed = true;
      }
      break;
    }
  }
  return changed;
}

}  // namespace vantry::archive

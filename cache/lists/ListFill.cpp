#include "cache/lists/ListFill.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "cache/lists/RequestMatching.h"
#include "cache/services/EntryPanes.h"
#include "cache/services/FrameServices.h"
#include "cache/store/Classification.h"
#include "text/AsciiText.h"

namespace vantry::cache {

namespace {

bool IsHistory(const CacheEntry& entry) { return (entry.entryType & URLHISTORY_CACHE_ENTRY) != 0; }

// Where `a` and `b` first differ from `at` on, up to `end`; equal bytes are skipped eight at
// a time, since list texts share long beginnings ("http://www.").
size_t FirstDifference(const char* a, const char* b, size_t at, size_t end) {
  for (; at + 8 <= end; at += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + at, 8);
    std::memcpy(&y, b + at, 8);
    if (x != y) {
      uint64_t differing = x ^ y;
      int bits = std::endian::native == std::endian::little ? std::countr_zero(differing) : std::countl_zero(differing);
      return at + static_cast<size_t>(bits) / 8;
    }
  }
  while (at < end && a[at] == b[at]) ++at;
  return at;
}

// Byte order after ASCII case folding: <0, 0 or >0.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; (i = FirstDifference(a.data(), b.data(), i, common)) < common; ++i) {
    auto x = static_cast<unsigned char>(text::LowerAscii(a[i]));
    auto y = static_cast<unsigned char>(text::LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsDateMode(uint32_t mode) { return mode >= SearchRequest::kDateBefore; }

// Before any Find: only entries with headers that are not history records.
bool ListsBeforeFind(const SearchRequest& request, const CacheEntry& entry) {
  return entry.headerInfoSize() != 0 && !IsHistory(entry) && MatchesRequest(request, entry);
}

// After a Find the show mask comes first; the empty request and the date requests
// keep history entries, the others do not.
bool ListsAfterFind(const SearchRequest& request, const ShowMask& mask, CacheEntry& entry) {
  if (entry.headerInfoSize() == 0 || !PassesShowMask(mask, entry)) return false;
  if (request.mode == SearchRequest::kNone) return true;
  if (!IsDateMode(request.mode) && IsHistory(entry)) return false;
  return MatchesRequest(request, entry);
}

}  // namespace

FillResult FillAccessList(UrlCacheStore& store, uint32_t clusterSize, std::vector<std::string>& leaves,
                          const ProgressStep& stepProgress) {
  FillResult fill;
  ProgressTicker ticker(stepProgress);
  fill.walk = WalkCache(store, "", [&](CacheEntry& entry) {
    leaves.push_back(entry.sourceUrl);
    TallyEntry(fill.statistics, entry, TallyVariant::AccessOrder, clusterSize);
    ticker.Entry();
  });
  return fill;
}

FillResult FillAlphaList(UrlCacheStore& store, uint32_t clusterSize, AlphaFill rules, const SearchRequest& request,
                         const ShowMask& mask, std::vector<std::string>& leaves, const ProgressStep& stepProgress) {
  FillResult fill;
  ProgressTicker ticker(stepProgress);
  const TallyVariant variant = rules == AlphaFill::AfterFind ? TallyVariant::AfterFind : TallyVariant::Alphabetical;
  fill.walk = WalkCache(store, "", [&](CacheEntry& entry) {
    bool listed =
        rules == AlphaFill::AfterFind ? ListsAfterFind(request, mask, entry) : ListsBeforeFind(request, entry);
    if (listed) leaves.push_back(entry.sourceUrl);
    TallyEntry(fill.statistics, entry, variant, clusterSize);
    ticker.Entry();
  });
  return fill;
}

void SortListTexts(std::vector<std::string>& texts) {
  std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    int folded = CompareIgnoringCase(a, b);
    return folded != 0 ? folded < 0 : a < b;
  });
}

void PublishFillStatistics(const FillResult& fill, FrameServices& frame, EntryPanes& panes) {
  if (fill.walk != WalkResult::Normal) return;
  panes.ShowStatistics(fill.statistics);
  frame.PublishStatistics(fill.statistics);
}

}  // namespace vantry::cache

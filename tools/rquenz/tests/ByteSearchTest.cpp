#include "tools/rquenz/ByteSearch.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace rquenz {

namespace {

// Every non-overlapping occurrence, leftmost first, the plain way.
std::vector<size_t> ReferenceMatches(const std::string& haystack, const std::string& needle) {
  std::vector<size_t> matches;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size()))
    matches.push_back(at);
  return matches;
}

// All matches through FindSeveral, `capacity` at a time, resuming after the last one.
std::vector<size_t> MatchesInBatches(const ByteSearcher& searcher, const std::string& haystack, size_t capacity) {
  std::vector<size_t> matches;
  std::vector<const char*> hits(capacity);
  const char* from = haystack.data();
  const char* end = haystack.data() + haystack.size();
  for (;;) {
    const size_t found = searcher.FindSeveral(from, end, hits.data(), capacity);
    for (size_t i = 0; i < found; ++i) matches.push_back(static_cast<size_t>(hits[i] - haystack.data()));
    if (found < capacity) return matches;
    from = hits[found - 1] + searcher.size();
  }
}

}  // namespace

// Each needle is planted at every start from 0 to 100 in a haystack full of
// near misses (right first and last byte, wrong middle), so both the
// thirty-two-at-a-time scan and the tail after it are crossed at every offset.
TEST(ByteSearcher, FindsPlantedNeedleAtEveryOffset) {
  const std::string needles[] = {
      "x", "xy", "xay", "needle", std::string(16, 'q') + "z", "a" + std::string(30, '-') + "b"};
  for (const std::string& needle : needles) {
    std::string decoy = needle;
    if (decoy.size() > 2) decoy[decoy.size() / 2] = '#';
    std::string filler;
    while (filler.size() < 100) filler += (decoy.size() > 2 ? decoy : std::string("..")) + ".";
    const ByteSearcher searcher(needle);
    for (size_t start = 0; start <= 100; ++start) {
      std::string haystack = filler.substr(0, start) + needle + filler.substr(0, 30);
      const char* begin = haystack.data();
      const char* hit = nullptr;
      EXPECT_EQ(searcher.FindSeveral(begin, begin + haystack.size(), &hit, 1), 1u) << needle << " at " << start;
      EXPECT_EQ(hit, begin + start) << needle << " at " << start;
      // Cut one byte short of the needle's end, it must not be found.
      EXPECT_EQ(searcher.FindSeveral(begin, begin + start + needle.size() - 1, &hit, 1), 0u)
          << needle << " at " << start;
    }
  }
}

// Random texts over tiny alphabets are dense with overlapping and back-to-back
// occurrences; every batch size must give exactly the plain search's matches.
TEST(ByteSearcher, BatchesGiveEveryNonOverlappingMatchLeftmostFirst) {
  std::mt19937 random(11);
  const std::string needles[] = {"a", "aa", "aab", "aba", "abab", "aaaa", "ab" + std::string(34, 'a')};
  for (const std::string& needle : needles) {
    const ByteSearcher searcher(needle);
    for (int round = 0; round < 40; ++round) {
      std::string haystack(random() % 300, 'a');
      for (char& byte : haystack) byte = "ab"[random() % 2];
      const std::vector<size_t> expected = ReferenceMatches(haystack, needle);
      for (size_t capacity : {1, 2, 3, 64}) {
        EXPECT_EQ(MatchesInBatches(searcher, haystack, capacity), expected)
            << needle << " in " << haystack << ", " << capacity << " at a time";
      }
    }
  }
}

// A candidate whose first and last bytes fit but one middle byte differs is no
// match, whichever byte it is, for needles of every length up to forty.
TEST(ByteSearcher, DifferenceInAnyMiddleByteIsNoMatch) {
  for (size_t size = 3; size <= 40; ++size) {
    std::string needle(size, 'm');
    needle.front() = '<';
    needle.back() = '>';
    const ByteSearcher searcher(needle);
    for (size_t changed = 1; changed + 1 < size; ++changed) {
      std::string decoy = needle;
      decoy[changed] = '#';
      const std::string haystack = decoy + " " + decoy + std::string(40, '.') + decoy;
      const char* hit = nullptr;
      EXPECT_EQ(searcher.FindSeveral(haystack.data(), haystack.data() + haystack.size(), &hit, 1), 0u)
          << size << " bytes, byte " << changed << " changed";
    }
  }
}

TEST(ByteSearcher, EmptyAndTooShortRangesHoldNoMatch) {
  const ByteSearcher searcher("aa");
  const std::string haystack = "a";
  const char* hit = nullptr;
  EXPECT_EQ(searcher.FindSeveral(haystack.data(), haystack.data(), &hit, 1), 0u);
  EXPECT_EQ(searcher.FindSeveral(haystack.data(), haystack.data() + 1, &hit, 1), 0u);
}

}  // namespace rquenz

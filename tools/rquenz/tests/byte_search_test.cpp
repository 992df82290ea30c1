#include "byte_search.h"

#include <gtest/gtest.h>

#include <string>

// Each needle is planted at every start from 0 to 100 in a haystack full of
// near misses (right first and last byte, wrong middle), so both the
// thirty-two-at-a-time scan and the tail after it are crossed at every offset.
TEST(ByteSearcher, FindsPlantedNeedleAtEveryOffset) {
  const std::string needles[] = {"x", "xy", "xay", "needle", std::string(16, 'q') + "z",
                                 "a" + std::string(30, '-') + "b"};
  for (const std::string& needle : needles) {
    std::string decoy = needle;
    if (decoy.size() > 2) decoy[decoy.size() / 2] = '#';
    std::string filler;
    while (filler.size() < 100) filler += (decoy.size() > 2 ? decoy : std::string("..")) + ".";
    const ByteSearcher searcher(needle);
    for (size_t start = 0; start <= 100; ++start) {
      std::string haystack = filler.substr(0, start) + needle + filler.substr(0, 30);
      const char* begin = haystack.data();
      const char* end = begin + haystack.size();
      EXPECT_EQ(searcher.FindIn(begin, end), begin + start) << needle << " at " << start;
      // Cut one byte short of the needle's end, it must not be found.
      EXPECT_EQ(searcher.FindIn(begin, begin + start + needle.size() - 1), nullptr)
          << needle << " at " << start;
    }
  }
}

TEST(ByteSearcher, ReturnsTheLeftmostOfSeveral) {
  const ByteSearcher searcher("aa");
  const std::string haystack = "baaab" + std::string(40, 'c') + "aa";
  EXPECT_EQ(searcher.FindIn(haystack.data(), haystack.data() + haystack.size()),
            haystack.data() + 1);
  EXPECT_EQ(searcher.FindIn(haystack.data() + 3, haystack.data() + haystack.size()),
            haystack.data() + 45);
  EXPECT_EQ(searcher.FindIn(haystack.data(), haystack.data()), nullptr);
}

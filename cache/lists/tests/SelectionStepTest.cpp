#include "cache/lists/SelectionStep.h"

#include <fstream>

#include <gtest/gtest.h>

#include "testing/ListStore.h"
#include "testing/ListTabTestBed.h"

namespace vantry::cache {

namespace {

using Calls = std::vector<std::string>;

const std::string kTooBig = "tell What the hell is this? Cookie much too big!!! | Read Cookie";

class SelectionStepTest : public ::testing::Test, protected testing::ListTabTestBed {
 protected:
  SelectionStepTest() {
    EXPECT_EQ(store.AddEntry(testing::PageEntry("http://a.example/page.html")), STORE_OK);
    EXPECT_EQ(store.AddEntry(testing::PageEntry("http://a.example/bare.html", "")), STORE_OK);
    EXPECT_EQ(store.AddEntry(testing::PageEntry("cookie:lower@a.example/", "", NORMAL_CACHE_ENTRY, "x")), STORE_OK);
    EXPECT_EQ(store.SetCookie(Cookie{"id", "42", "a.example", "/", 0, 0, 0}), STORE_OK);
    cookieKey = testing::StoredUrls(store).back();
    current = {"earlier", "/earlier/file"};
    request.mode = SearchRequest::kSubstring;
  }

  std::string LocalFileOf(const std::string& url) { return LookupEntry(store, url)->localFileName; }

  void WriteCookieFile(size_t size) {
    std::ofstream(LocalFileOf(cookieKey), std::ios::binary) << std::string(size, 'c');
  }

  Calls Select(std::string_view text, CookieFileStep step = CookieFileStep::Decode) {
    panes.calls.clear();
    RunSelectionStep(context, text, step);
    return panes.calls;
  }

  std::string cookieKey;
};

}  // namespace

TEST_F(SelectionStepTest, FoundPageShowsItsFileItsPropertiesAndItsCookies) {
  std::string file = LocalFileOf("http://a.example/page.html");
  EXPECT_EQ(Select("http://a.example/page.html"),
            (Calls{"show http://a.example/page.html | " + file, "properties http://a.example/page.html", "bytes id=42",
                   "cookie text id=42"}));
  EXPECT_EQ(current.address, "http://a.example/page.html");
  EXPECT_EQ(current.localFileName, file);
  EXPECT_EQ(frame.addresses, Calls{"http://a.example/page.html"});
  EXPECT_EQ(request.mode, SearchRequest::kNone);
  EXPECT_TRUE(store.IsOffline());
}

TEST_F(SelectionStepTest, EntryWithoutHeadersHasTheLocalFileNone) {
  EXPECT_EQ(Select("http://a.example/bare.html"),
            (Calls{"show http://a.example/bare.html | None", "properties http://a.example/bare.html", "bytes id=42",
                   "cookie text id=42"}));
  EXPECT_EQ(request.mode, SearchRequest::kNone);
}

TEST_F(SelectionStepTest, UnknownTextKeepsTheLocalFileShowsNoPropertiesAndClearsTheBytes) {
  EXPECT_EQ(Select("today"), (Calls{"show today | /earlier/file", "bytes "}));
  EXPECT_EQ(current.localFileName, "/earlier/file");
  EXPECT_EQ(request.mode, SearchRequest::kSubstring);
  EXPECT_EQ(frame.addresses, Calls{"today"});
  EXPECT_TRUE(store.IsOffline());
}

TEST_F(SelectionStepTest, CookieFilesAreDecodedUpTo1000BytesWithAMessageAbove998) {
  struct SizeCase {
    size_t fileSize;
    bool warned;
    size_t decoded;
  };
  const SizeCase cases[] = {{0, false, 0}, {998, false, 998}, {999, true, 999}, {1000, true, 1000}, {5000, true, 1000}};
  for (const SizeCase& c : cases) {
    WriteCookieFile(c.fileSize);
    Calls expected = {"show " + cookieKey + " | None", "properties " + cookieKey, "bytes "};
    if (c.warned) expected.push_back(kTooBig);
    expected.push_back("decode " + std::to_string(c.decoded));
    EXPECT_EQ(Select(cookieKey), expected) << c.fileSize;
    EXPECT_EQ(panes.decodedBytes, std::string(c.decoded, 'c'));
  }
}

TEST_F(SelectionStepTest, CookieFileStepNeedsTheFlagTheExactPrefixAndTheFile) {
  WriteCookieFile(10);
  Calls skipped = Select(cookieKey, CookieFileStep::Skip);
  EXPECT_EQ(skipped.back(), "bytes ");

  Calls lower = Select("cookie:lower@a.example/");
  EXPECT_EQ(lower.back(), "bytes ");
  EXPECT_EQ(lower.size(), 3u);

  std::filesystem::remove(LocalFileOf(cookieKey));
  EXPECT_EQ(Select(cookieKey).back(), "bytes ");
}

// A folder in place of the site's cookie file: the page and the cookie entry show without
// cookies, and nothing is decoded.
TEST_F(SelectionStepTest, FolderInPlaceOfTheCookieFileShowsNoCookies) {
  std::filesystem::remove(LocalFileOf(cookieKey));
  std::filesystem::create_directory(LocalFileOf(cookieKey));
  EXPECT_EQ(Select("http://a.example/page.html").back(), "bytes ");
  EXPECT_EQ(Select(cookieKey), (Calls{"show " + cookieKey + " | None", "properties " + cookieKey, "bytes "}));
}

TEST_F(SelectionStepTest, CookieFileOfAnEntryNoLongerStoredIsNotDecoded) {
  WriteCookieFile(10);
  Select(cookieKey);
  ASSERT_EQ(store.DeleteEntry(cookieKey), STORE_OK);
  current.localFileName = LocalFileOf("http://a.example/page.html");
  EXPECT_EQ(Select(cookieKey), (Calls{"show " + cookieKey + " | " + current.localFileName, "bytes "}));
}

}  // namespace vantry::cache

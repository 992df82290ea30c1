#include "cache/lists/SelectionStep.h"

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "testing/ListStore.h"
#include "testing/ListTabTestBed.h"

namespace vantry::cache {

namespace {

using Calls = std::vector<std::string>;

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

// No message box while browsing: a cookie file is decoded whole, and the hex view shows it.
TEST_F(SelectionStepTest, CookieFilesAreDecodedWholeWithoutAMessage) {
  const size_t sizes[] = {0, 998, 999, 5000, 100000, kCookieFileReadLimit + 10};
  for (size_t size : sizes) {
    WriteCookieFile(size);
    const size_t decoded = std::min(size, kCookieFileReadLimit);
    Calls expected = {"show " + cookieKey + " | None", "properties " + cookieKey, "file " + LocalFileOf(cookieKey),
                      "decode " + std::to_string(decoded)};
    EXPECT_EQ(Select(cookieKey), expected) << size;
    EXPECT_EQ(panes.decodedBytes, std::string(decoded, 'c'));
  }
}

TEST_F(SelectionStepTest, CookieFileStepNeedsTheFlagTheExactPrefixAndTheFile) {
  auto decodes = [](const Calls& calls) {
    return std::any_of(calls.begin(), calls.end(), [](const std::string& call) { return call.starts_with("decode"); });
  };
  WriteCookieFile(10);
  EXPECT_FALSE(decodes(Select(cookieKey, CookieFileStep::Skip)));
  EXPECT_FALSE(decodes(Select("cookie:lower@a.example/")));
  EXPECT_TRUE(decodes(Select(cookieKey)));
  std::filesystem::remove(LocalFileOf(cookieKey));
  EXPECT_FALSE(decodes(Select(cookieKey)));
}

// The hex view serves every entry: the cookie text where the address has one, else the
// entry's cached file, else nothing.
TEST_F(SelectionStepTest, MemoryBytesAreTheCookieTextElseTheCachedFile) {
  ASSERT_EQ(store.AddEntry(testing::PageEntry("http://b.example/plain.html")), STORE_OK);
  ASSERT_EQ(store.RecordVisit("http://b.example/plain.html", FileTimeNow(), 1), STORE_OK);
  const std::string historyKey = "Visited: @http://b.example/plain.html";
  struct Row {
    std::string selected;
    std::string bytesCall;
  } rows[] = {
      {"http://a.example/page.html", "bytes id=42"},
      {"http://b.example/plain.html", "file " + LocalFileOf("http://b.example/plain.html")},
      {cookieKey, "file " + LocalFileOf(cookieKey)},
      {historyKey, "bytes "},
      {"http://b.example/never-cached.html", "bytes "},
  };
  for (const Row& row : rows) {
    Calls calls = Select(row.selected, CookieFileStep::Skip);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), row.bytesCall), 1) << row.selected;
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.starts_with("bytes") || c.starts_with("file"); }),
              1)
        << row.selected;
  }
}

// A folder in place of the site's cookie file: the page and the cookie entry show without
// cookies (the memory bar gets their cached files, which it reads or leaves empty), and
// nothing is decoded.
TEST_F(SelectionStepTest, FolderInPlaceOfTheCookieFileShowsNoCookies) {
  std::filesystem::remove(LocalFileOf(cookieKey));
  std::filesystem::create_directory(LocalFileOf(cookieKey));
  EXPECT_EQ(Select("http://a.example/page.html").back(), "file " + LocalFileOf("http://a.example/page.html"));
  EXPECT_EQ(Select(cookieKey),
            (Calls{"show " + cookieKey + " | None", "properties " + cookieKey, "file " + LocalFileOf(cookieKey)}));
}

TEST_F(SelectionStepTest, CookieFileOfAnEntryNoLongerStoredIsNotDecoded) {
  WriteCookieFile(10);
  Select(cookieKey);
  ASSERT_EQ(store.DeleteEntry(cookieKey), STORE_OK);
  current.localFileName = LocalFileOf("http://a.example/page.html");
  EXPECT_EQ(Select(cookieKey), (Calls{"show " + cookieKey + " | " + current.localFileName, "bytes "}));
}

}  // namespace vantry::cache

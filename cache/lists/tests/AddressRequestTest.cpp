#include "cache/lists/AddressRequest.h"

#include <gtest/gtest.h>

namespace vantry::cache {

namespace {

struct ParseCase {
  const char* text;
  uint32_t mode;
  const char* substring;
  const char* extensionPattern;
  const char* namePattern;
};

// Each case starts from a request left by an earlier search, so that the table also
// shows which texts a request keeps and which it replaces.
SearchRequest EarlierRequest() {
  SearchRequest request;
  request.mode = SearchRequest::kDateExactly;
  request.substring = "old";
  request.extensionPattern = ".old";
  request.namePattern = "old.";
  return request;
}

}  // namespace

TEST(ParseAddressRequestTest, TextsGiveTheirModesAndPatterns) {
  const ParseCase cases[] = {
      {"*.*", 0x80, "old", ".old", "old."},
      {"www.example.com", 0x10, "www.example.com", ".old", "old."},
      {"anyfile.gif", 0x10, "anyfile.gif", ".old", "old."},
      {"", 0x10, "", ".old", "old."},
      {"*.gif", 15, "old", ".gif", "."},
      {"anyfile.*", 7, "old", "", "anyfile."},
      {"*anyfile*", 5, "old", "", "anyfile"},
      {"anyfile*.*gif", 15, "old", "gif", "anyfile"},
      {"help*.htm", 15, "old", ".htm", "help"},
      {"*.*gif", 15, "old", "gif", "."},
      {"*", 1, "old", "", ""},
      {"**", 1, "old", "", ""},
      {" * ", 1, "old", "", ""},
      {"a*b*c*", 5, "old", "", "a b c*"},
      {"*.g*f", 15, "old", ".g", "."},
      {".gif*", 15, "old", ".gif", "."},
      {"x.y.*", 15, "old", ".y.", "x."},
  };
  for (const ParseCase& c : cases) {
    SearchRequest request = EarlierRequest();
    ParseAddressRequest(c.text, request);
    EXPECT_EQ(request.mode, c.mode) << c.text;
    EXPECT_EQ(request.substring, c.substring) << c.text;
    EXPECT_EQ(request.extensionPattern, c.extensionPattern) << c.text;
    EXPECT_EQ(request.namePattern, c.namePattern) << c.text;
  }
}

}  // namespace vantry::cache

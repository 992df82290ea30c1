#include "cache/lists/EntryKind.h"

#include <gtest/gtest.h>

namespace vantry::cache {

namespace {

TEST(KindOfListText, KeysAndAddressesByTheirPathsExtension) {
  struct Row {
    const char* text;
    EntryKind expected;
  } rows[] = {
      {"Cookie:root@127.0.0.1/", EntryKind::Cookie},
      {"cookie:lower@a.example/", EntryKind::Cookie},
      {"Visited: @http://127.0.0.1:8081/a/b/page.html", EntryKind::History},
      {"http://127.0.0.1:8081/", EntryKind::Page},
      {"http://localhost:8082", EntryKind::Page},
      {"http://host?q=a/b.css", EntryKind::Page},
      {"http://127.0.0.1:8081/a/b/page.html?from=start", EntryKind::Page},
      {"http://127.0.0.1:8082/news/story.asp?id=42&lang=en", EntryKind::Page},
      {"https://example.com/docs/guide", EntryKind::Page},
      {"http://127.0.0.1:8081/img/dot.gif?n=319", EntryKind::Image},
      {"http://127.0.0.1:8081/IMG/PHOTO.JPG", EntryKind::Image},
      {"http://127.0.0.1:8081/favicon.ico", EntryKind::Image},
      {"http://127.0.0.1:8081/js/lib.js", EntryKind::Script},
      {"https://cdn.example/app.mjs#x", EntryKind::Script},
      {"http://localhost:8082/styles/site.css", EntryKind::StyleSheet},
      {"http://127.0.0.1:8081/files/data.bin", EntryKind::Other},
      {"http://127.0.0.1:8081/readme.txt", EntryKind::Other},
      {"http://a.example/dir.v2/", EntryKind::Page},
      {"Today", EntryKind::Other},
      {"yLast", EntryKind::Other},
      {"", EntryKind::Other},
  };
  for (const Row& row : rows) EXPECT_EQ(KindOfListText(row.text), row.expected) << row.text;
}

}  // namespace

}  // namespace vantry::cache

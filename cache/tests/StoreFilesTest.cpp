#include <gtest/gtest.h>


#include "StoreFiles.h"

TEST(StoreFilesTest, CacheFileNameFromUrl) {
  struct Row {
    const char* url;
    const char* name;
  } rows[] = {
      {"http://a.example/dir/page.htm", "page.htm"},
      {"http://a.example/dir/page.asp?id=3#top", "page.asp"},
      {"http://a.example/dir/", "index.htm"},
      {"http://a.example", "index.htm"},
      {"https://a.example/x/..", "index.htm"},
      {"http://a.example/we%20ird name$.gif", "we_20ird_name_.gif"},
      {"http://a.example/.hidden", "_.hidden"},
      {"http://a.example/\xe4\xf6.png", "__.png"},
  };
  for (const Row& row : rows) EXPECT_EQ(CacheFileName(row.url), row.name) << row.url;
  std::string longName = CacheFileName("http://a.example/" + std::string(300, 'n') + ".jpeg");
  EXPECT_LE(longName.size(), 80u);
  EXPECT_TRUE(longName.ends_with(".jpeg"));
}

TEST(StoreFilesTest, NumberedFileNameNumbersBeforeTheExtension) {
  struct Row {
    const char* name;
    unsigned number;
    const char* numbered;
  } rows[] = {
      {"page.htm", 2, "page[2].htm"},
      {"README", 1, "README[1]"},
      {".profile", 1, ".profile[1]"},
      {"a.tar.gz", 12, "a.tar[12].gz"},
  };
  for (const Row& row : rows) EXPECT_EQ(NumberedFileName(row.name, row.number), row.numbered) << row.name;
  EXPECT_EQ(FileExtensionOf("a.tar.gz"), "gz");
  EXPECT_EQ(FileExtensionOf("noext"), "");
}

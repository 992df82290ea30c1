#include "cache/store/StoreFiles.h"

#include <gtest/gtest.h>

#include "files/WholeFile.h"
#include "testing/TempFolder.h"

namespace vantry::cache {

namespace fs = std::filesystem;

TEST(StoreFilesTest, CacheFileNameFromUrl) {
  struct Row {
    const char* url;
    const char* name;
  } rows[] = {
      {"http://a.example/dir/page.htm", "page.htm"}, {"http://a.example/dir/page.asp?id=3#top", "page.asp"},
      {"http://a.example/dir/", "index.htm"},        {"http://a.example", "index.htm"},
      {"https://a.example/x/..", "index.htm"},       {"http://a.example/we%20ird name$.gif", "we_20ird_name_.gif"},
      {"http://a.example/.hidden", "_.hidden"},      {"http://a.example/\xe4\xf6.png", "__.png"},
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

TEST(StoreFilesTest, OpenFolderFindsAndWritesFilesByName) {
  testing::TempFolder temp;
  files::WriteWholeFile(temp.path() / "there.htm", "old");
  fs::create_symlink(temp.path() / "elsewhere.htm", temp.path() / "dangling.htm");
  OpenFolder folder(temp.path());
  ASSERT_TRUE(folder.ok());
  EXPECT_TRUE(folder.Has("there.htm"));
  EXPECT_TRUE(folder.Has("dangling.htm"));  // a link's name is taken even where it leads nowhere
  EXPECT_FALSE(folder.Has("missing.htm"));

  using Creation = OpenFolder::Creation;
  EXPECT_EQ(folder.CreateWholeFile("new.htm", "fresh"), Creation::Written);
  EXPECT_EQ(files::ReadWholeFile(temp.path() / "new.htm"), std::optional<std::string>("fresh"));
  // A name that something holds is left alone, a link's included.
  EXPECT_EQ(folder.CreateWholeFile("there.htm", "new"), Creation::NameTaken);
  EXPECT_EQ(files::ReadWholeFile(temp.path() / "there.htm"), std::optional<std::string>("old"));
  EXPECT_EQ(folder.CreateWholeFile("dangling.htm", "no"), Creation::NameTaken);
  EXPECT_FALSE(fs::exists(temp.path() / "elsewhere.htm"));
  EXPECT_EQ(folder.CreateWholeFile("no/such/folder.htm", "x"), Creation::Failed);

  OpenFolder missing(temp.path() / "missing");
  EXPECT_FALSE(missing.ok());
  EXPECT_FALSE(missing.Has("there.htm"));
  EXPECT_EQ(missing.CreateWholeFile("new.htm", "x"), OpenFolder::Creation::Failed);
  OpenFolder moved = std::move(folder);
  EXPECT_TRUE(moved.Has("new.htm"));
}

}  // namespace vantry::cache

#include "ops/FolderRules.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/tests/OpsTestSupport.h"

namespace vantry::ops {
namespace {

using testing::TempFolder;

namespace fs = std::filesystem;

TEST(FolderRulesTest, StripsOneTrailingSeparatorButKeepsTheRoot) {
  const std::pair<const char*, const char*> rows[] = {
      {"/home/u/cache/", "/home/u/cache"}, {"/home/u/cache", "/home/u/cache"}, {"/", "/"}, {"", ""}, {"a//", "a/"},
  };
  for (const auto& [typed, read] : rows) EXPECT_EQ(StripTrailingSeparator(typed), read) << typed;
}

TEST(FolderRulesTest, ValidationDependsOnWhetherTheFolderMustExist) {
  testing::TempFolder folder;
  fs::create_directory(folder / "dir");
  files::WriteWholeFile(folder / "file", "x");
  struct Row {
    std::string path;
    bool mustExist;
    std::string_view message;
  };
  const Row rows[] = {
      {folder / "dir", true, ""},
      {folder / "file", true, kInvalidFolderMessage},
      {folder / "missing", true, kInvalidFolderMessage},
      {folder / "dir", false, kFolderExistsMessage},
      {folder / "missing", false, ""},
      {folder / "file", false, ""},
  };
  for (const Row& row : rows) EXPECT_EQ(FolderValidationMessage(row.path, row.mustExist), row.message) << row.path;
}

TEST(FolderRulesTest, MakesAtMostTwoNewLevels) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt;
  EXPECT_TRUE(MakeTwoLevelFolder(folder / "one", prompt));
  EXPECT_TRUE(MakeTwoLevelFolder(folder / "a/b", prompt));
  EXPECT_TRUE(fs::is_directory(folder / "a/b"));
  EXPECT_TRUE(prompt.told.empty());

  const std::string threeDeep = folder / "x/y/z";
  EXPECT_FALSE(MakeTwoLevelFolder(threeDeep, prompt));
  EXPECT_FALSE(fs::exists(folder / "x"));
  EXPECT_EQ(prompt.told,
            (std::vector<testing::PromptCall>{
                {threeDeep, "Unable to create Directory?? Only 2 Levels of create new folders allowed!"}}));
}

TEST(FolderRulesTest, AFileInThePlaceOfTheFolderFails) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt;
  fs::create_directory(folder / "p");
  files::WriteWholeFile(folder / "p/q", "x");
  EXPECT_FALSE(MakeTwoLevelFolder(folder / "p/q", prompt));
  ASSERT_EQ(prompt.told.size(), 1u);
  EXPECT_EQ(prompt.told[0].title, "Unable to create Directory?? Only 2 Levels of create new folders allowed!");
}

}  // namespace
}  // namespace vantry::ops

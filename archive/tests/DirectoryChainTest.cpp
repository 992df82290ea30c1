#include "archive/DirectoryChain.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

TEST(MakeDirectoryChain, CreatesEveryLevelAndLeavesTheCurrentDirectoryAlone) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt{false};
  const fs::path before = fs::current_path();
  EXPECT_TRUE(MakeDirectoryChain("a/b/c", folder.path(), prompt));
  EXPECT_TRUE(fs::is_directory(folder / "a/b/c"));
  EXPECT_TRUE(MakeDirectoryChain("a/b/d", folder.path(), prompt));
  EXPECT_TRUE(fs::is_directory(folder / "a/b/d"));
  EXPECT_TRUE(MakeDirectoryChain("", folder.path(), prompt));
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(MakeDirectoryChain, FailsWhenAnUpperLevelCannotBeEntered) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "file", "not a folder");
  testing::ScriptedPrompt prompt{false};
  EXPECT_FALSE(MakeDirectoryChain("file/b", folder.path(), prompt));
  EXPECT_THAT(prompt.told, ElementsAre(testing::PromptCall{folder / "file", "unable to create dir"}));
  // The deepest level is left to the copy that writes into it.
  EXPECT_TRUE(MakeDirectoryChain("file", folder.path(), prompt));
}

}  // namespace
}  // namespace vantry::archive

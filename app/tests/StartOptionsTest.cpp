// The command line of vantry and the folder it works in when the desktop starts it.
#include "app/StartOptions.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "app/DesktopFolder.h"
#include "files/WholeFile.h"
#include "testing/TempFolder.h"

namespace vantry::app {

namespace {

TEST(StartOptions, HelpAndVersionAnswerAndTheRestIsLeftToQt) {
  using enum StartOptions::Action;
  struct Row {
    std::vector<const char*> arguments;
    StartOptions::Action action;
    bool desktop;
  } rows[] = {
      {{"vantry"}, Run, false},
      {{"vantry", "--desktop"}, Run, true},
      {{"vantry", "--help"}, Help, false},
      {{"vantry", "-h"}, Help, false},
      {{"vantry", "--version"}, Version, false},
      {{"vantry", "-v", "--help"}, Version, false},
      {{"vantry", "-platform", "offscreen", "--desktop"}, Run, true},
      {{"vantry", "--desktop", "--help"}, Help, true},
      {{"vantry", "help"}, Run, false},
  };
  for (const Row& row : rows) {
    StartOptions options = ParseStartOptions(static_cast<int>(row.arguments.size()), row.arguments.data());
    EXPECT_EQ(options.action, row.action) << row.arguments.back();
    EXPECT_EQ(options.desktop, row.desktop) << row.arguments.back();
  }
  EXPECT_NE(UsageText().find("--desktop"), std::string::npos);
  EXPECT_NE(UsageText().find("--version"), std::string::npos);
}

// The first start makes ~/Vantry with its start page; later starts leave it as the user left it.
TEST(DesktopFolder, MadeWithItsStartPageOnceAndKeptAfterwards) {
  testing::TempFolder home;
  const std::filesystem::path folder = home.path() / "Vantry";
  EXPECT_EQ(PrepareDesktopFolder(home.path(), "<p>start</p>"), folder);
  EXPECT_EQ(files::ReadWholeFile((folder / "ebstract.htm").string()), "<p>start</p>");

  std::filesystem::remove(folder / "ebstract.htm");
  files::WriteWholeFile((folder / "Histfile.dbx").string(), "\x1a");
  EXPECT_EQ(PrepareDesktopFolder(home.path(), "<p>again</p>"), folder);
  EXPECT_FALSE(std::filesystem::exists(folder / "ebstract.htm"));  // the program's own page stands in
  EXPECT_TRUE(std::filesystem::exists(folder / "Histfile.dbx"));

  files::WriteWholeFile((home.path() / "file").string(), "");
  EXPECT_EQ(PrepareDesktopFolder(home.path() / "file", "<p>start</p>"), std::nullopt);
}

}  // namespace

}  // namespace vantry::app

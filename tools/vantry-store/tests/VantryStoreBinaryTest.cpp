// Runs the vantry-store program itself, as a user would.
#include <sys/wait.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "testing/TempFolder.h"

namespace vantry::storetool {

namespace fs = std::filesystem;

namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ProgramRun RunProgram(const fs::path& store, const std::string& arguments, const fs::path& scratch) {
  std::string command = "VANTRY_STORE='" + store.string() + "' '" VANTRY_STORE_BINARY "' " + arguments + " >'" +
                        (scratch / "out").string() + "' 2>'" + (scratch / "err").string() + "'";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(scratch / "out"), Slurp(scratch / "err")};
}

TEST(VantryStoreBinaryTest, UsageErrorsExitWithTwoAndNameTheFault) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ProgramRun none = RunProgram(store, "", folder.path());
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "vantry-store: no command given\nRun \"vantry-store help\" for the usage.\n");
  ProgramRun unknown = RunProgram(store, "frobnicate", folder.path());
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("unknown command \"frobnicate\""), std::string::npos);
  EXPECT_FALSE(fs::exists(store));
}

TEST(VantryStoreBinaryTest, HelpNamesTheStoreFromTheEnvironment) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ProgramRun help = RunProgram(store, "help", folder.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: vantry-store COMMAND [ARGUMENTS]\n"));
  EXPECT_NE(help.out.find("Now: " + store.string() + "\n"), std::string::npos);
  EXPECT_EQ(help.err, "");
}

TEST(VantryStoreBinaryTest, DemoThenStatsThenAMissingRemoval) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ProgramRun demo = RunProgram(store, "demo", folder.path());
  EXPECT_EQ(demo.exitCode, 0) << demo.err;
  EXPECT_TRUE(demo.out.starts_with("Added the demo site to " + store.string() + ": 21 content entries, 13 cookies, "))
      << demo.out;
  ProgramRun stats = RunProgram(store, "stats", folder.path());
  EXPECT_EQ(stats.exitCode, 0);
  EXPECT_TRUE(stats.out.starts_with("Content entries: 20\nCookie entries: 5\n")) << stats.out;
  ProgramRun rm = RunProgram(store, "rm http://nowhere.example/", folder.path());
  EXPECT_EQ(rm.exitCode, 1);
  EXPECT_EQ(rm.err, "vantry-store: rm: no entry has the key \"http://nowhere.example/\"\n");
}

}  // namespace

}  // namespace vantry::storetool

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

// Runs the program with `arguments` after the shell commands `before` (e.g. a ulimit).
ProgramRun RunProgram(const fs::path& store, const std::string& arguments, const fs::path& scratch,
                      const std::string& before = "") {
  std::string command = before + "VANTRY_STORE='" + store.string() + "' '" VANTRY_STORE_BINARY "' " + arguments +
                        " >'" + (scratch / "out").string() + "' 2>'" + (scratch / "err").string() + "'";
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
  for (const char* help : {"help", "--help", "-h"}) {
    ProgramRun run = RunProgram(store, help, folder.path());
    EXPECT_EQ(run.exitCode, 0) << help;
    EXPECT_TRUE(run.out.starts_with("Usage: vantry-store COMMAND [ARGUMENTS]\n")) << help;
    EXPECT_NE(run.out.find("Now: " + store.string() + "\n"), std::string::npos);
    EXPECT_EQ(run.err, "");
  }
  EXPECT_FALSE(fs::exists(store));
}

TEST(VantryStoreBinaryTest, AWrongImportLineIsAUsageErrorThatLeavesNoStore) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ProgramRun run = RunProgram(store, "import opera", folder.path());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(
      run.err.starts_with("vantry-store: import: \"opera\" is not firefox, chromium, all, har or a profile "
                          "folder\nusage: vantry-store import firefox|chromium [PROFILE]\n"))
      << run.err;
  EXPECT_FALSE(fs::exists(store));
}

// Past a file-size limit the store refuses entries; the import says so and fails.
TEST(VantryStoreBinaryTest, AnImportTheStoreCouldNotTakeFailsAndSaysWhy) {
  testing::TempFolder folder;
  fs::path store = folder.path() / "store";
  ProgramRun run = RunProgram(store, "import '" VANTRY_CORPUS_DIR "/firefox'", folder.path(), "ulimit -f 128; ");
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_NE(run.out.find("skipped "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(": the store could not take it\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Problem: The store could not take "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("(a file-size limit, ulimit -f)."), std::string::npos) << run.out;
  ProgramRun again = RunProgram(store, "import '" VANTRY_CORPUS_DIR "/firefox'", folder.path());
  EXPECT_EQ(again.exitCode, 0) << again.out << again.err;  // without the limit everything fits
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

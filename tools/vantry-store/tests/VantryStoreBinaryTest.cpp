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

// The console copies of a site cached by Debian's Firefox: what they copied on standard output,
// the archive files in the current folder, exit 1 with a message for what could not be done.
TEST(VantryStoreBinaryTest, CopyTreeAndCopyPageOfAnImportedProfile) {
  testing::TempFolder folder;
  const fs::path store = folder.path() / "store";
  ASSERT_EQ(RunProgram(store, "import firefox '" VANTRY_TESTDATA_DIR "/linkforms/firefox'", folder.path()).exitCode, 0);
  const std::string inside =
      "cd '" + folder.path().string() + "' && VANTRY_STORE='" + store.string() + "' '" VANTRY_STORE_BINARY "' ";
  const auto run = [&](const std::string& arguments) {
    const std::string command = inside + arguments + " >out 2>err";
    const int status = std::system(command.c_str());
    return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(folder.path() / "out"),
                      Slurp(folder.path() / "err")};
  };

  const ProgramRun tree = run("copy-tree http://127.0.0.1:8091/docs/ tree 'reference forms'");
  EXPECT_EQ(tree.exitCode, 0) << tree.err;
  EXPECT_NE(tree.out.find("http://127.0.0.1:8091/docs/ -> " +
                          (folder.path() / "tree/127.0.0.1_8091/docs~2.html").string() + "\n"),
            std::string::npos)
      << tree.out;
  EXPECT_NE(tree.out.find("\nCopied 26 files into " + (folder.path() / "tree").string() + "\n"), std::string::npos)
      << tree.out;
  EXPECT_TRUE(fs::is_regular_file(folder.path() / "tree/127.0.0.1_8092/widget.html"));
  EXPECT_NE(Slurp(folder.path() / "Histfile.dbx")
                .find("127.0.0.1\t" + (folder.path() / "tree").string() + "\ttx\t8\t55\treference forms\n"),
            std::string::npos);
  EXPECT_NE(Slurp(folder.path() / "indexfil.htm").find("127.0.0.1 : reference forms"), std::string::npos);

  const ProgramRun page = run("copy-page 'http://127.0.0.1:8091/list.html?page=2&sort=name' page");
  EXPECT_EQ(page.exitCode, 0) << page.err;
  EXPECT_TRUE(fs::is_regular_file(folder.path() / "page/127_0_0_1_8091_list@page=2&sort=name.html")) << page.out;

  const ProgramRun missing = run("copy-page http://127.0.0.1:8091/nothing.html page");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "vantry-store: copy-page: http://127.0.0.1:8091/nothing.html is not in the cache\n");
  const ProgramRun nothing = run("copy-tree http://nowhere.test/ elsewhere");
  EXPECT_EQ(nothing.exitCode, 1);
  EXPECT_NE(nothing.err.find("nothing was copied"), std::string::npos) << nothing.err;
  const ProgramRun blocked = run("copy-tree http://127.0.0.1:8091/ out");  // "out" is a file
  EXPECT_EQ(blocked.exitCode, 1);
  EXPECT_NE(blocked.err.find("copy-tree: cannot make the folder"), std::string::npos) << blocked.err;
}

}  // namespace vantry::storetool

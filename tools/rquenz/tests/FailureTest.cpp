// Files the built tool cannot rewrite: each is listed and counted, left
// exactly as it was without a backup, named on standard error, and the run
// ends with a non-zero status while the other files are still rewritten.

#include <sys/stat.h>
#include <sys/syscall.h>

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "tools/rquenz/tests/ToolRunner.h"

namespace rquenz {

namespace {

void ExpectUnchangedAndReported(const TempTree& tree, const ToolResult& result, const std::string& name,
                                const std::string& content, const std::string& reason) {
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_EQ(tree.ReadFile(name), content);
  EXPECT_NE(result.out.find(tree.Path(name) + "\n"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("rquenz: " + tree.Path(name) + ": not changed: " + reason), std::string::npos)
      << result.err;
}

}  // namespace

TEST(Failure, TempFileCannotBeCreated) {
  TempTree tree;
  tree.MakeFolder("tempfil/inside");
  tree.WriteFile("a.txt", "old");
  tree.WriteFile("sub/b.txt", "old");
  const ToolResult result = RunRquenz(tree.root(), {"*.txt", "old", "new"});
  ExpectUnchangedAndReported(tree, result, "a.txt", "old", "cannot create tempfil");
  EXPECT_FALSE(tree.Exists("a.bak"));
  EXPECT_TRUE(result.out.ends_with("\nNumber of matches: 2"));
  EXPECT_EQ(tree.ReadFile("sub/b.txt"), "new");
}

TEST(Failure, WriteFailsPartWay) {
  // Growing 48 KiB to 96 KiB runs past a 64 KiB file-size limit mid-file.
  TempTree tree;
  const std::string big(48 * 1024, 'o');
  tree.WriteFile("big.txt", big, 0640);
  tree.WriteFile("big.bak", "earlier backup");
  tree.WriteFile("small.txt", "o");
  const ToolResult result = RunRquenz(tree.root(), {"*.txt", "o", "oo"}, {.fileSizeLimit = 64 * 1024});
  ExpectUnchangedAndReported(tree, result, "big.txt", big, "write failed: File too large");
  EXPECT_EQ(tree.Mode("big.txt"), 0640u);
  EXPECT_EQ(tree.ReadFile("big.bak"), "earlier backup");
  EXPECT_FALSE(tree.Exists("tempfil"));
  EXPECT_EQ(tree.ReadFile("small.txt"), "oo");
  EXPECT_EQ(tree.ReadFile("small.bak"), "o");
}

TEST(Failure, BackupNameHeldByFolder) {
  TempTree tree;
  tree.WriteFile("a.txt", "old");
  tree.WriteFile("a.bak/keep", "kept");
  const ToolResult result = RunRquenz(tree.root(), {"*.txt", "old", "new"});
  ExpectUnchangedAndReported(tree, result, "a.txt", "old", "cannot remove old backup a.bak");
  EXPECT_EQ(tree.ReadFile("a.bak/keep"), "kept");
  EXPECT_FALSE(tree.Exists("tempfil"));
}

TEST(Failure, NamedPipeIsNotWaitedOn) {
  TempTree tree;
  ASSERT_EQ(mkfifo(tree.Path("pipe.txt").c_str(), 0644), 0);
  tree.WriteFile("z.txt", "old");
  const ToolResult result = RunRquenz(tree.root(), {"*.txt", "old", "new"});
  EXPECT_NE(result.exitStatus, 0);
  EXPECT_NE(result.err.find(tree.Path("pipe.txt") + ": not changed: not a regular file"), std::string::npos);
  EXPECT_FALSE(tree.Exists("pipe.bak"));
  EXPECT_EQ(tree.ReadFile("z.txt"), "new");
}

TEST(Failure, BackupIsNotOverwrittenWithinOneRun) {
  // "a.htm" and "a.txt" share the backup name "a.bak"; the first one to be
  // rewritten keeps it.
  TempTree tree;
  tree.WriteFile("a.htm", "old htm");
  tree.WriteFile("a.txt", "old txt");
  const ToolResult result = RunRquenz(tree.root(), {"a.*", "old", "new"});
  ExpectUnchangedAndReported(tree, result, "a.txt", "old txt", "a.bak keeps another file's");
  EXPECT_EQ(tree.ReadFile("a.htm"), "new htm");
  EXPECT_EQ(tree.ReadFile("a.bak"), "old htm");
  EXPECT_TRUE(result.out.ends_with("\nNumber of matches: 2"));
}

TEST(Failure, FileThatWouldBeItsOwnBackup) {
  TempTree tree;
  tree.WriteFile("old.bak", "old");
  const ToolResult result = RunRquenz(tree.root(), {"*.bak", "old", "new"});
  ExpectUnchangedAndReported(tree, result, "old.bak", "old", "it would be its own backup");
  EXPECT_EQ(tree.Entries(), std::vector<std::string>{"old.bak"});
}

// A rename that fails while the new content is being put in place is undone
// on each of the ways there.
TEST(Failure, FailedRenameIsUndone) {
  struct Case {
    std::vector<RunLimits::Denial> denials;
    const char* reason;
  };
  const Case cases[] = {
      {{{SYS_renameat, EACCES}}, "cannot make backup a.bak"},
      {{{SYS_renameat2, EINVAL}, {SYS_renameat, EACCES}}, "cannot rename tempfil"},
      {{{SYS_renameat2, EINVAL}, {SYS_linkat, EPERM}, {SYS_renameat, EACCES}}, "cannot make backup a.bak"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    TempTree tree;
    tree.WriteFile("a.txt", "old", 0640);
    const ToolResult result = RunRquenz(tree.root(), {"*.txt", "old", "new"}, {.denials = c.denials});
    ExpectUnchangedAndReported(tree, result, "a.txt", "old", c.reason);
    EXPECT_EQ(tree.Mode("a.txt"), 0640u);
    EXPECT_EQ(tree.Entries(), std::vector<std::string>{"a.txt"});
  }
}

}  // namespace rquenz

// Replacement correctness of the built tool: one file per case, rewritten in
// place with its previous content kept as the backup.

#include <sys/syscall.h>

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "tools/rquenz/tests/ToolRunner.h"

namespace rquenz {

namespace {

struct Case {
  const char* what;
  std::string content, search, replacement, expected;
};

// A text of a few MiB in which, with 6-byte joints, the k-th joint begins k
// bytes before the k-th MiB and so straddles a boundary of the tool's reads.
// Other joints get the same fillers: the text after replacement.
std::string MiBJoints(const std::string& joint) {
  const size_t mib = 1 << 20;
  std::string text;
  size_t offset = 0;  // end of the last 6-byte joint
  for (size_t k = 1; k <= 5; ++k) {
    text += std::string(k * mib - k - offset, static_cast<char>('a' + k)) + joint;
    offset = k * mib - k + 6;
  }
  return text + "tail";
}

}  // namespace

TEST(Replace, EveryOccurrenceLeftmostFirst) {
  const std::string longSearch(300, 's');
  const Case cases[] = {
      {"no occurrence", "hello world", "xyz", "Q", "hello world"},
      {"one occurrence", "a cat sat", "cat", "dog", "a dog sat"},
      {"back to back", "abab", "ab", "X", "XX"},
      {"back to back inside", "-abab-ab-", "ab", "X", "-XX-X-"},
      {"after a partial match", "aaab", "aab", "X", "aX"},
      {"partial match then a whole one", "abcabd", "abd", "!", "abc!"},
      {"look-back over several characters", "mississippi", "issip", "_", "miss_pi"},
      {"overlapping candidates", "aaaaa", "aa", "b", "bba"},
      {"at start and end", "abXab", "ab", "-", "-X-"},
      {"longer replacement", "a.b.c", ".", "--", "a--b--c"},
      {"empty replacement", "xxhixx", "xx", "", "hi"},
      {"whole file", "abc", "abc", "", ""},
      {"empty file", "", "a", "b", ""},
      {"search longer than file", "ab", "abc", "Z", "ab"},
      {"replacement holds the search", "ab", "a", "aa", "aab"},
      {"line feeds in search", "a\nb\nc", "\nb", "-", "a-\nc"},
      {"bytes around a zero byte", std::string("\0ab\0ab", 6), "ab", "Z", std::string("\0Z\0Z", 4)},
      {"search of 300 characters", "<" + longSearch + ">" + longSearch, longSearch, "L", "<L>L"},
      {"occurrences across MiB boundaries", MiBJoints("needle"), "needle", "pin", MiBJoints("pin")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempTree tree;
    tree.WriteFile("f.txt", c.content);
    const ToolResult result = RunRquenz(tree.root(), {"f.txt", c.search, c.replacement});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, tree.Path("f.txt") + "\n\nNumber of matches: 1");
    EXPECT_EQ(tree.ReadFile("f.txt"), c.expected);
    EXPECT_EQ(tree.ReadFile("f.bak"), c.content);
    EXPECT_EQ(tree.Entries(), (std::vector<std::string>{"f.bak", "f.txt"}));
  }
}

TEST(Replace, KeepsPermissionBits) {
  for (mode_t mode : {0600, 0640, 0755, 0444, 04711}) {
    SCOPED_TRACE(mode);
    TempTree tree;
    tree.WriteFile("run.sh", "echo old", mode);
    ASSERT_EQ(RunRquenz(tree.root(), {"run.sh", "old", "new"}).exitStatus, 0);
    EXPECT_EQ(tree.ReadFile("run.sh"), "echo new");
    EXPECT_EQ(tree.Mode("run.sh"), mode);
    EXPECT_EQ(tree.Mode("run.bak"), mode);
  }
}

TEST(Replace, BackupNameCutsAtLastDot) {
  struct NameCase {
    const char* name;
    const char* backup;
  };
  const NameCase cases[] = {
      {"notes", "notes.bak"},
      {"page.htm", "page.bak"},
      {"archive.tar.gz", "archive.tar.bak"},
      {"trailing.", "trailing.bak"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempTree tree;
    tree.WriteFile(c.name, "old");
    ASSERT_EQ(RunRquenz(tree.root(), {c.name, "old", "new"}).exitStatus, 0);
    EXPECT_EQ(tree.ReadFile(c.name), "new");
    EXPECT_EQ(tree.ReadFile(c.backup), "old");
  }
}

TEST(Replace, OldBackupIsReplacedByThePreviousVersion) {
  TempTree tree;
  tree.WriteFile("a.txt", "second");
  tree.WriteFile("a.bak", "first");
  ASSERT_EQ(RunRquenz(tree.root(), {"*.txt", "second", "third"}).exitStatus, 0);
  EXPECT_EQ(tree.ReadFile("a.txt"), "third");
  EXPECT_EQ(tree.ReadFile("a.bak"), "second");
}

TEST(Replace, EmptySearchStringIsRefusedWithUsage) {
  TempTree tree;
  tree.WriteFile("a.txt", "abc");
  const ToolResult result = RunRquenz(tree.root(), {"*.txt", "", "x"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.ends_with("Run \"rquenz --help\" for the usage.\n"));
  EXPECT_EQ(tree.Entries(), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(tree.ReadFile("a.txt"), "abc");
}

// File systems without name swaps, and those without hard links either, take
// other ways to the same result.
TEST(Replace, SameResultWithoutSwapsOrHardLinks) {
  const std::vector<RunLimits::Denial> withoutSwaps{{SYS_renameat2, EINVAL}};
  const std::vector<RunLimits::Denial> withoutSwapsOrLinks{{SYS_renameat2, EINVAL}, {SYS_linkat, EPERM}};
  for (const auto& denials : {std::vector<RunLimits::Denial>{}, withoutSwaps, withoutSwapsOrLinks}) {
    SCOPED_TRACE(denials.size());
    TempTree tree;
    tree.WriteFile("a.txt", "old text", 0640);
    tree.WriteFile("a.bak", "older");
    const ToolResult result = RunRquenz(tree.root(), {"*.txt", "old", "new"}, {.denials = denials});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(tree.ReadFile("a.txt"), "new text");
    EXPECT_EQ(tree.ReadFile("a.bak"), "old text");
    EXPECT_EQ(tree.Mode("a.txt"), 0640u);
    EXPECT_EQ(tree.Entries(), (std::vector<std::string>{"a.bak", "a.txt"}));
  }
}

}  // namespace rquenz

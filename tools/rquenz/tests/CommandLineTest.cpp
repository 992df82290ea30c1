// The command line of the built tool: the usage text, usage errors and a start
// folder that does not exist, none of which changes a file.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/rquenz/tests/ToolRunner.h"

namespace rquenz {

namespace {

const std::string kUsage =
    "\n\nRquenz Dateiname Suchstring Ersatzstring"
    "\n\nAchtung!! Default ge\xC3\xA4ndert: default ist ab derzeitigem Dir suchen!!"
    "\nnur bei explizitem C:\\ oder voranstehendem \\ wird ab root gesucht"
    "\nbei .\\ wird ab derzeitigem dir = Startdir gesucht"
    "\nansonsten/default (nur Dateiname) ab Startdir\n";

const std::string kSeeHelp = "\nRun \"rquenz --help\" for the usage.\n";

}  // namespace

TEST(CommandLine, UsageErrorsAndMissingFoldersChangeNothing) {
  TempTree tree;
  tree.WriteFile("a.txt", "x");
  tree.WriteFile("b.txt", "x");
  const std::string missing = tree.Path("missing");
  struct Case {
    std::vector<std::string> arguments;
    int exitStatus;
    std::string out, err;
  };
  const Case cases[] = {
      {{"--help"}, 0, kUsage, ""},
      {{"-h", "x", "y"}, 0, kUsage, ""},
      {{"--help", "x", "y"}, 0, kUsage, ""},
      {{"*.txt", "", "y"}, 2, "", "rquenz: the search string is empty" + kSeeHelp},
      // What an unquoted *.txt turns into: a pattern, then file names.
      {{"a.txt", "b.txt", "x", "y"},
       2,
       "",
       "rquenz: too many arguments (quote the name pattern so that the shell leaves it alone)" + kSeeHelp},
      {{missing + "/x.txt", "x", "y"}, 1, "", "rquenz: " + missing + ": the folder does not exist\n"},
      {{missing + "/deeper/*", "x", "y"}, 1, "", "rquenz: " + missing + "/deeper: the folder does not exist\n"},
      {{tree.Path("a.txt") + "/x.txt", "x", "y"},
       1,
       "",
       "rquenz: " + tree.Path("a.txt") + ": the folder does not exist\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0]);
    const ToolResult result = RunRquenz(tree.root(), c.arguments);
    EXPECT_EQ(result.exitStatus, c.exitStatus);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
  EXPECT_EQ(tree.Entries(), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(tree.ReadFile("a.txt"), "x");
}

}  // namespace rquenz

#include "archive/ReferenceResolution.h"

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

TEST(FoldersOf, StepsUpOneFolderAtATime) {
  const PageFolders deep = FoldersOf("http://s.org/a/b/page.htm");
  EXPECT_EQ(deep.base, "http://s.org/a/b/");
  EXPECT_EQ(deep.parent, "http://s.org/a/");
  EXPECT_EQ(deep.grandparent, "http://s.org/");
  const PageFolders backslashed = FoldersOf("file:c:\\w\\x\\p.htm");
  EXPECT_EQ(backslashed.base, "file:c:\\w\\x\\");
  EXPECT_EQ(backslashed.parent, "file:c:\\w\\");
  const PageFolders none = FoldersOf("page.htm");
  EXPECT_EQ(none.base + none.parent + none.grandparent, "");
}

TEST(ResolveReference, ResolvesByPrefixAgainstBaseParentOrGrandparent) {
  const PageFolders folders = FoldersOf("http://s.org/a/b/page.htm");
  const std::pair<const char*, const char*> cases[] = {
      {"../../img/x.gif", "http://s.org/img/x.gif"},
      {"../x.gif", "http://s.org/a/x.gif"},
      {"..\\..\\x.gif", "http://s.org/x.gif"},
      {"..\\x.gif", "http://s.org/a/x.gif"},
      {"/x.gif", "http://s.org/a/b/x.gif"},
      {"\\x.gif", "http://s.org/a/b/x.gif"},
      {"./x.gif", "http://s.org/a/b/x.gif"},
      {".\\x.gif", "http://s.org/a/b/x.gif"},
      {"http://o.org/y.htm", "http://o.org/y.htm"},
      {"https://o.org/y.htm", "https://o.org/y.htm"},
      {"HTTP://o.org/y.htm", "http://s.org/a/b/HTTP://o.org/y.htm"},
      {"x.htm", "http://s.org/a/b/x.htm"},
      {"javascript:go()", "http://s.org/a/b/javascript:go()"},
  };
  for (const auto& [reference, address] : cases) {
    EXPECT_EQ(ResolveReference(folders, reference), address) << reference;
  }
}

TEST(ResolveReference, NamesNoAddressAboveTheHost) {
  const PageFolders root = FoldersOf("http://s.org/page.htm");
  EXPECT_EQ(ResolveReference(root, "../up.gif"), "");
  EXPECT_EQ(ResolveReference(root, "../../up.gif"), "");
  EXPECT_EQ(ResolveReference(FoldersOf("http://s.org/a/page.htm"), "../up.gif"), "http://s.org/up.gif");
}

}  // namespace
}  // namespace vantry::archive

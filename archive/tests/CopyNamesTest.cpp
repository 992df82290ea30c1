#include "archive/CopyNames.h"

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

using Cases = std::initializer_list<std::pair<std::string, std::string>>;

TEST(FlatName, FlattensHostAndPathIntoOneName) {
  const Cases cases = {
      {"http://s.t/p/a.b.gif", "s_t_p_a_b.gif"},
      {"HTTP://s.t/p/a.b.gif", "s_t_p_a_b.gif"},
      {"https://s.t/p/a.b.gif", "s_t_p_a_b.gif"},
      {"http:// s.t/x.htm", "s_t_x.htm"},
      {"http:// http://s.t/x.htm", "s_t_x.htm"},
      {"http: s.t/x.htm", "s_t_x.htm"},
      {"http:s.t\\x.htm", "s_t_x.htm"},
      {"ftp://s.t/x.zip", "ftp:__s_t_x.zip"},
      {"http://s.t/dir/", "s.t_dir_"},
      {"Index.html", "Index.html"},
      {"http://s.t:8080/a?b=c.d", "s_t:8080_a?b=c.d"},
  };
  for (const auto& [url, name] : cases) EXPECT_EQ(FlatName(url), name) << url;
}

TEST(LegalName, ReplacesTheElevenCharactersThatNamesMustNotHold) {
  EXPECT_EQ(LegalName("a\xB0"
                      "b^c\xA7"
                      "d?e*f<g>h:i\"j\\k|l/m.n"),
            "a_b_c_d_e_f_g_h_i_j_k_l/m.n");
  EXPECT_EQ(LegalName("plain/name.html"), "plain/name.html");
}

TEST(HtmlExtension, TurnsAspPagesIntoHtml) {
  const Cases cases = {
      {"/d/page.asp", "/d/page.html"}, {"page.ASP", "page.html"}, {"page.aspx", "page.aspx"},
      {"page.htm", "page.htm"},        {"noext", "noext"},        {"a.asp/b", "a.asp/b"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(HtmlExtension(path), expected) << path;
}

TEST(ToBackslashes, ConvertsToTheFileSystemSeparator) { EXPECT_EQ(ToBackslashes("a\\b/c"), "a/b/c"); }

TEST(SafeRelativeFolder, KeepsEveryFolderBelowTheDestination) {
  const Cases cases = {
      {"a/b", "a/b"},
      {"", ""},
      {"../../etc", "__/__/etc"},
      {"a/../../x", "a/__/__/x"},
      {"%2e%2e/%2E./.%2e/x", "__/__/__/x"},
      {"./a/.", "_/a/_"},
      {"/abs/path", "abs/path"},
      {"a//b/", "a/b"},
      {"...", "..."},
      {"a..b/.x", "a..b/.x"},
      {std::string("a\0b", 3), "a_b"},
  };
  for (const auto& [folders, expected] : cases) EXPECT_EQ(SafeRelativeFolder(folders), expected) << folders;
  EXPECT_EQ(SafeFileName(".."), "__");
  EXPECT_EQ(SafeFileName("%2e"), "_");
  EXPECT_EQ(SafeFileName("page.htm"), "page.htm");
}

}  // namespace
}  // namespace vantry::archive

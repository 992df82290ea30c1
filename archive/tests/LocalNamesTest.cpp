#include "archive/LocalNames.h"

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

using Cases = std::initializer_list<std::pair<std::string, std::string>>;

TEST(FlatName, FlattensServerAndPathIntoOneNameThatAFileAddressReadsBack) {
  const Cases cases = {
      {"http://s.t/p/a.b.gif", "s_t_p_a_b.gif"},
      {"HTTP://s.t/p/a.b.gif", "s_t_p_a_b.gif"},
      {"https://s.t/p/a.b.gif", "https_s_t_p_a_b.gif"},
      {"http:// s.t/x.htm", "s_t_x.htm"},
      {"http:// http://s.t/x.htm", "s_t_x.htm"},
      {"http: s.t/x.htm", "s_t_x.htm"},
      {"http:s.t\\x.htm", "s_t_x.htm"},
      {"ftp://s.t/x.zip", "ftp_s_t_x.zip"},
      {"http://s.t/dir/", "s_t_dir_"},
      {"Index.html", "Index.html"},
      {"http://s.t:8080/a?b=c.d", "s_t_8080_a@b=c.d"},
      {"http://127.0.0.1:8081/img/dot.gif?n=001", "127_0_0_1_8081_img_dot@n=001.gif"},
      {"http://s.t/a%20b/caf%C3%A9.png#x", "s_t_a_b_caf\xC3\xA9.png"},
  };
  for (const auto& [url, name] : cases) EXPECT_EQ(FlatName(url), name) << url;
}

TEST(LegalName, ReplacesTheElevenCharactersAndKeepsUtf8Letters) {
  EXPECT_EQ(LegalName("a\xB0"
                      "b^c\xA7"
                      "d?e*f<g>h:i\"j\\k|l/m.n"),
            "a_b_c_d_e_f_g_h_i_j_k_l/m.n");
  EXPECT_EQ(LegalName("plain/name.html"), "plain/name.html");
  EXPECT_EQ(LegalName("\xC2\xB0"
                      "C \xC2\xA7"
                      "1"),
            "_C _1");
  EXPECT_EQ(LegalName("gar\xC3\xA7on \xC3\xB0"), "gar\xC3\xA7on \xC3\xB0");  // ç and ð hold the bytes A7 and B0
}

TEST(LocalSegment, DecodesEscapesAndMakesEverySegmentSafe) {
  const Cases cases = {
      {"page.htm", "page.htm"},
      {"a%20b.png", "a_b.png"},
      {"caf%C3%A9", "caf\xC3\xA9"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"a%2Fb", "a_b"},
      {"a%3Fb%23c%25d", "a_b_c_d"},
      {"..", "__"},
      {"%2e%2E", "__"},
      {".", "_"},
      {"...", "..."},
      {".hidden", ".hidden"},
      {std::string("a\0b", 3), "a_b"},
      {"a:b*c", "a_b_c"},
      {"%zz", "_zz"},
  };
  for (const auto& [raw, name] : cases) EXPECT_EQ(LocalSegment(raw), name) << raw;
}

TEST(ComposeName, GivesPagesImagesAndStyleSheetsTheExtensionsBrowsersOpenThemBy) {
  struct Case {
    NameParts parts;
    const char* contentType;
    const char* name;
  };
  const Case cases[] = {
      {{"page", ".html", {}}, "text/html; charset=utf-8", "page.html"},
      {{"page", ".htm", {}}, "text/html", "page.htm"},
      {{"list", ".asp", {}}, "text/html", "list.html"},
      {{"list", ".ASP", {}}, "", "list.html"},
      {{"search", ".php", {}}, "text/html", "search.php.html"},
      {{"report", "", {}}, "text/html", "report.html"},
      {{"pixel", "", {}}, "image/png", "pixel.png"},
      {{"pic", ".php", {}}, "image/jpeg", "pic.php.jpg"},
      {{"site", "", {}}, "text/css", "site.css"},
      {{"data", ".bin", {}}, "application/octet-stream", "data.bin"},
      {{"app", ".mjs", {}}, "text/javascript", "app.mjs"},
      {{"lib", ".jsx", {}}, "application/javascript", "lib.jsx"},
      {{"readme", "", {}}, "text/plain; charset=us-ascii", "readme.txt"},
      {{"x", "", {}}, "", "x"},
      {{"dot", ".gif", std::string("n=001")}, "image/gif", "dot@n=001.gif"},
      {{"search", ".asp", std::string("q=a+b&page=2")}, "text/html", "search@q=a+b&page=2.html"},
      {{"p", ".html", std::string("a=%2F/b#c")}, "text/html", "p@a=__b_c.html"},
      {{"p", ".html", std::string("")}, "text/html", "p@.html"},
  };
  for (const Case& c : cases) EXPECT_EQ(ComposeName(c.parts, c.contentType), c.name) << c.name;
  const std::string longName = ComposeName({std::string(300, 'x'), ".html", std::string(100, 'q')}, "text/html");
  EXPECT_LE(longName.size(), 200u);
  EXPECT_TRUE(longName.ends_with(".html"));
  EXPECT_NE(longName, ComposeName({std::string(300, 'x'), ".html", std::string(101, 'q')}, "text/html"));
}

TEST(SplitName, FindsTheExtensionDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.b.gif", "a.b|.gif"}, {".htaccess", ".htaccess|"}, {"noext", "noext|"},
      {"a.", "a.|"},           {"v1.2-beta", "v1.2-beta|"}, {"x.verylongextension", "x.verylongextension|"},
  };
  for (const auto& [name, split] : cases) {
    const NameParts parts = SplitName(name);
    EXPECT_EQ(parts.stem + "|" + parts.extension, split) << name;
  }
  EXPECT_EQ(NumberedName("index.html", 2), "index~2.html");
  EXPECT_EQ(NumberedName("pixel", 3), "pixel~3");
}

TEST(ServerFolderName, KeepsSchemesHostsAndPortsApart) {
  const Cases cases = {
      {"http://www.S.org/x", "www.s.org"},
      {"http://127.0.0.1:8091/", "127.0.0.1_8091"},
      {"http://127.0.0.1:8092/", "127.0.0.1_8092"},
      {"https://www.s.org/", "https_www.s.org"},
      {"https://www.s.org:8443/", "https_www.s.org_8443"},
      {"http://[::1]:81/", "[__1]_81"},
  };
  for (const auto& [url, folder] : cases) EXPECT_EQ(ServerFolderName(*ParseUrl(url)), folder) << url;
}

TEST(TreeLocationOf, RebuildsTheServersFoldersWithSafeNames) {
  struct Case {
    const char* url;
    const char* contentType;
    const char* path;
    bool folderPage;
  };
  const Case cases[] = {
      {"http://s/", "text/html", "index.html", true},
      {"http://s/a/b/", "text/html", "a/b.html", true},
      {"http://s/a/b/?x=1", "", "a/b@x=1.html", true},
      {"http://s/a/b/page.html", "text/html", "a/b/page.html", false},
      {"http://s/a//b/../c.gif", "image/gif", "a/b/__/c.gif", false},
      {"http://s/../../etc/passwd", "", "__/__/etc/passwd", false},
      {"http://s/a/%2e%2e/x.htm", "text/html", "a/__/x.htm", false},
      {"http://s/a%2Fb/c", "text/html", "a_b/c.html", false},
      {"http://s/news/story.asp?id=42&lang=en", "text/html", "news/story@id=42&lang=en.html", false},
      {"http://s/menu/caf%C3%A9.html#top", "text/html", "menu/caf\xC3\xA9.html", false},
  };
  for (const Case& c : cases) {
    const TreeLocation location = TreeLocationOf(*ParseUrl(c.url), c.contentType);
    EXPECT_EQ(location.path(), c.path) << c.url;
    EXPECT_EQ(location.folderPage, c.folderPage) << c.url;
  }
}

}  // namespace
}  // namespace vantry::archive

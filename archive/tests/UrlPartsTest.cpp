#include "archive/UrlParts.h"

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

TEST(ParseUrl, SplitsSchemeServerObjectAndPort) {
  struct Case {
    const char* url;
    const char* scheme;
    const char* server;
    const char* object;
    int port;
  };
  const Case cases[] = {
      {"http://www.s.org/a/b.html", "http", "www.s.org", "/a/b.html", 80},
      {"https://www.s.org", "https", "www.s.org", "/", 443},
      {"HTTP://user:pw@Www.S.org:8080/x?y=1", "http", "Www.S.org", "/x?y=1", 8080},
      {"http://s.org?q=/a", "http", "s.org", "/?q=/a", 80},
      {"ftp://f.org/pub/", "ftp", "f.org", "/pub/", 21},
      {"file:///tmp/x", "file", "", "/tmp/x", 0},
  };
  for (const Case& c : cases) {
    const std::optional<UrlParts> parts = ParseUrl(c.url);
    ASSERT_TRUE(parts) << c.url;
    EXPECT_EQ(parts->scheme, c.scheme) << c.url;
    EXPECT_EQ(parts->server, c.server) << c.url;
    EXPECT_EQ(parts->object, c.object) << c.url;
    EXPECT_EQ(parts->port, c.port) << c.url;
  }
  EXPECT_FALSE(ParseUrl("Index.html"));
  EXPECT_FALSE(ParseUrl("http://s.org:http/"));
  EXPECT_EQ(ServerOf("Index.html"), "");
  EXPECT_EQ(ServerOf("http://s.org/x"), "s.org");
}

TEST(ResolveUrl, NamesTheAddressAReferenceMeansInADocument) {
  const char* base = "http://s.org/a/b/page.htm?q=1#top";
  const std::pair<const char*, const char*> cases[] = {
      {"c.htm", "http://s.org/a/b/c.htm"},
      {"./c.htm", "http://s.org/a/b/c.htm"},
      {"../c.htm", "http://s.org/a/c.htm"},
      {"../../../../c.htm", "http://s.org/c.htm"},
      {"/x/./y/../z.htm", "http://s.org/x/z.htm"},
      {"//other.org/p", "http://other.org/p"},
      {"?r=2", "http://s.org/a/b/page.htm?r=2"},
      {"#end", "http://s.org/a/b/page.htm?q=1#end"},
      {"", "http://s.org/a/b/page.htm?q=1"},
      {"sub/", "http://s.org/a/b/sub/"},
      {"..", "http://s.org/a/"},
      {"https://x.org/y", "https://x.org/y"},
      {"mailto:a@b", "mailto:a@b"},
      {"..\\img\\x.gif?a\\b", "http://s.org/a/img/x.gif?a\\b"},
  };
  for (const auto& [reference, expected] : cases) {
    EXPECT_EQ(ResolveUrl(base, reference), expected) << reference;
  }
  EXPECT_EQ(ResolveUrl("file:///home/u/p.htm", "img/a.gif"), "file:///home/u/img/a.gif");
  EXPECT_EQ(ResolveUrl("http://s.org", "a.htm"), "http://s.org/a.htm");
}

}  // namespace
}  // namespace vantry::archive

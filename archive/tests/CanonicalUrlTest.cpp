#include "archive/CanonicalUrl.h"

#include <gtest/gtest.h>

#include "archive/UrlParts.h"

namespace vantry::archive {
namespace {

TEST(CanonicalUrl, GivesEverySpellingOfAnAddressOneForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://s.org/a/b.html", "http://s.org/a/b.html"},
      {"HTTP://S.Org:80/a/b.html", "http://s.org/a/b.html"},
      {"http://s.org:8091/", "http://s.org:8091/"},
      {"https://s.org:443", "https://s.org/"},
      {"http://s.org", "http://s.org/"},
      {"http://s.org/a/./b/../c.html", "http://s.org/a/c.html"},
      {"http://s.org/a\\b.html", "http://s.org/a/b.html"},
      {"http://s.org/caf%c3%a9.png", "http://s.org/caf%C3%A9.png"},
      {"http://s.org/caf\xC3\xA9.png", "http://s.org/caf%C3%A9.png"},
      {"http://s.org/a b.png", "http://s.org/a%20b.png"},
      {"http://s.org/%7Euser/%41.html", "http://s.org/~user/A.html"},
      {"http://s.org/a%2Fb", "http://s.org/a%2Fb"},
      {"http://s.org/p?q=a+b&x=%2f#frag", "http://s.org/p?q=a+b&x=%2F"},
      {"http://s.org/p?", "http://s.org/p?"},
      {"http://u@s.org/p", "http://u@s.org/p"},
      {"http://[::1]:8091/p", "http://[::1]:8091/p"},
      {"http://s.org/%4%31/%%41", "http://s.org/%4%31/%%41"},
      {"http://s.org/%4%2A", "http://s.org/%4*"},
  };
  for (const auto& [url, canonical] : cases) {
    EXPECT_EQ(CanonicalUrl(url), canonical) << url;
    EXPECT_EQ(CanonicalUrl(canonical), canonical) << url;
  }
  for (const char* notAddress :
       {"page.html", "http://s.org:port/", "http://s.org:80x:80/", "http://[::1:80x/", "http://[a:b:/"})
    EXPECT_EQ(CanonicalUrl(notAddress), std::nullopt) << notAddress;
}

TEST(CanonicalOfPlainReference, AgreesWithTheGeneralPathOrDeclines) {
  const std::string folder = "http://s.org/a/b/";
  const char* plain[] = {"x.html", "../x.gif", "../../../x.gif", "c/d.html", "a-b_c~d.e.html", "..x/y"};
  for (const char* reference : plain) {
    std::string canonical;
    if (!CanonicalOfPlainReference(folder, reference, canonical)) continue;
    EXPECT_EQ(canonical, CanonicalUrl(ResolveUrl(folder + "page.html", reference))) << reference;
  }
  for (const char* other : {"/x.html", "./x.html", "a/../x", "x.html?q", "x%20y", "x.html#f", "", "a/./b", "x y"}) {
    std::string canonical;
    EXPECT_FALSE(CanonicalOfPlainReference(folder, other, canonical)) << other;
  }
  for (const char* url : {"http://s.org/a/b.html", "https://s.org/", "http://s-1.org/x"}) {
    EXPECT_TRUE(IsPlainCanonicalUrl(url)) << url;
    EXPECT_EQ(CanonicalUrl(url), url);
  }
  for (const char* url : {"http://S.org/a", "http://s.org:81/a", "http://s.org", "http://s.org/a?b", "ftp://s.org/a"}) {
    EXPECT_FALSE(IsPlainCanonicalUrl(url)) << url;
  }
}

TEST(CleanReference, DropsWhatBrowsersIgnoreAroundAndInsideAReference) {
  EXPECT_EQ(CleanReference("  a.html \n"), "a.html");
  EXPECT_EQ(CleanReference("a\tb\r\nc.html"), "abc.html");
  EXPECT_EQ(CleanReference("a b.html"), "a b.html");
  EXPECT_TRUE(NeedsCleaning(" a"));
  EXPECT_TRUE(NeedsCleaning("a\nb"));
  EXPECT_FALSE(NeedsCleaning("a b"));
}

}  // namespace
}  // namespace vantry::archive

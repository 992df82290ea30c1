#include "archive/ReferenceRewriter.h"

#include <map>

#include <gtest/gtest.h>

#include "archive/RelativeReference.h"

namespace vantry::archive {
namespace {

// A copy of two servers of h.test and one file of cdn.test, by canonical address.
const std::map<std::string, std::string, std::less<>> kCopied = {
    {"http://h.test:8091/", "h.test_8091/index.html"},
    {"http://h.test:8091/docs/", "h.test_8091/docs.html"},
    {"http://h.test:8091/docs/page.html", "h.test_8091/docs/page.html"},
    {"http://h.test:8091/docs/page.html?x=1", "h.test_8091/docs/page@x=1.html"},
    {"http://h.test:8091/docs/guide.html", "h.test_8091/docs/guide.html"},
    {"http://h.test:8091/css/main.css", "h.test_8091/css/main.css"},
    {"http://h.test:8091/img/a%20b.png", "h.test_8091/img/a_b.png"},
    {"http://h.test:8091/img/caf%C3%A9.png", "h.test_8091/img/caf\xC3\xA9.png"},
    {"http://h.test:8091/list.html?page=2&sort=name", "h.test_8091/list@page=2&sort=name.html"},
    {"http://h.test:8092/", "h.test_8092/index.html"},
    {"http://cdn.test/i.png", "cdn.test/i.png"},
};

ReferenceRewriter CopyRewriter() {
  return ReferenceRewriter([](std::string_view canonical, ReferenceRole) -> const std::string* {
    const auto found = kCopied.find(canonical);
    return found == kCopied.end() ? nullptr : &found->second;
  });
}

TEST(ReferenceRewriter, PointsEveryReferenceFormAtTheCopiedFileRelativeToThePage) {
  // The page http://h.test:8091/docs/page.html, kept as h.test_8091/docs/page.html.
  const std::pair<const char*, const char*> cases[] = {
      {"<a href=\"guide.html\">", "<a href=\"guide.html\">"},
      {"<a href=\"/docs/guide.html#part2\">", "<a href=\"guide.html#part2\">"},
      {"<a href=\"http://h.test:8091/docs/guide.html\">", "<a href=\"guide.html\">"},
      {"<a href=\"HTTP://H.TEST:8091/docs/../docs/guide.html\">", "<a href=\"guide.html\">"},
      {"<a href=\"//h.test:8091/\">", "<a href=\"../index.html\">"},
      {"<a href=\"./\">", "<a href=\"../docs.html\">"},
      {"<a href=\"/\">", "<a href=\"../index.html\">"},
      {"<a href=../list.html?page=2&amp;sort=name>", "<a href=\"../list@page=2%26sort=name.html\">"},
      {"<a href='?x=1'>", "<a href='page@x=1.html'>"},
      {"<a href=\" guide.html\n\">", "<a href=\"guide.html\">"},
      {"<img src=\"../img/a%20b.png\">", "<img src=\"../img/a_b.png\">"},
      {"<img src=\"../img/caf\xC3\xA9.png\">", "<img src=\"../img/caf%C3%A9.png\">"},
      {"<img src=\"../IMG/../img/caf%c3%a9.png\">", "<img src=\"../img/caf%C3%A9.png\">"},
      {"<img src=\"..\\img\\a%20b.png\">", "<img src=\"../img/a_b.png\">"},
      {"<img srcset=\"../img/a%20b.png 1x, //cdn.test/i.png 2x\">",
       "<img srcset=\"../img/a_b.png 1x, ../../cdn.test/i.png 2x\">"},
      {"<iframe src=\"http://h.test:8092/\">", "<iframe src=\"../../h.test_8092/index.html\">"},
      {"<link rel=stylesheet href=\"/css/main.css\">", "<link rel=stylesheet href=\"../css/main.css\">"},
      {"<link rel=\"icon\" href=\"//cdn.test/i.png\">", "<link rel=\"icon\" href=\"../../cdn.test/i.png\">"},
      {"<div style=\"background:url(&quot;/img/a%20b.png&quot;)\">",
       "<div style=\"background:url(&quot;../img/a_b.png&quot;)\">"},
      {"<style>@import \"/css/main.css\"; a{background:url(/img/caf%C3%A9.png)}</style>",
       "<style>@import \"../css/main.css\"; a{background:url(../img/caf%C3%A9.png)}</style>"},
      {"<meta http-equiv=\"refresh\" content=\"0; url=/\">",
       "<meta http-equiv=\"refresh\" content=\"0; url=../index.html\">"},
      {"<base href=\"http://h.test:8091/\"><a href=\"docs/guide.html\">",
       "<base href=\"page.html\"><a href=\"guide.html\">"},
      // Not in the copy: relative references become absolute, the others stay as written.
      {"<a href=\"missing.html#x\">", "<a href=\"http://h.test:8091/docs/missing.html#x\">"},
      {"<img src=\"../img/gone.png?v=1&amp;w=2\">", "<img src=\"http://h.test:8091/img/gone.png?v=1&amp;w=2\">"},
      {"<a href=\"http://elsewhere.test/x\">", "<a href=\"http://elsewhere.test/x\">"},
      {"<a href=\"#top\"><a href=\"\"><a href=\"mailto:a@b\"><a href=\"javascript:go()\"><img "
       "src=\"data:image/gif;base64,R0\">",
       "<a href=\"#top\"><a href=\"\"><a href=\"mailto:a@b\"><a href=\"javascript:go()\"><img "
       "src=\"data:image/gif;base64,R0\">"},
      {"<!-- <a href=\"/\"> --><script>x='<a href=\"/\">'</script>",
       "<!-- <a href=\"/\"> --><script>x='<a href=\"/\">'</script>"},
  };
  for (const auto& [html, expected] : cases) {
    EXPECT_EQ(CopyRewriter().RewriteHtml(html, {"http://h.test:8091/docs/page.html", "h.test_8091/docs/page.html"}),
              expected)
        << html;
  }
}

TEST(ReferenceRewriter, ReadsAStyleSheetsReferencesFromItsOwnFolder) {
  const std::string css =
      "@import url(\"base.css\");\nh1{background:url(../img/a%20b.png)}\np{background:url( '//cdn.test/i.png' )}";
  EXPECT_EQ(CopyRewriter().RewriteCss(css, {"http://h.test:8091/css/main.css", "h.test_8091/css/main.css"}),
            "@import url(\"http://h.test:8091/css/base.css\");\nh1{background:url(../img/a_b.png)}\n"
            "p{background:url( '../../cdn.test/i.png' )}");
}

TEST(ReferenceRewriter, AFolderPageKeptBesideItsFolderStillReadsItsReferencesFromTheFolder) {
  EXPECT_EQ(CopyRewriter().RewriteHtml("<a href=\"guide.html\"><img src=\"../img/a%20b.png\">",
                                       {"http://h.test:8091/docs/", "h.test_8091/docs.html"}),
            "<a href=\"docs/guide.html\"><img src=\"img/a_b.png\">");
}

TEST(RelativeReference, ClimbsOnlyAsFarAsTheFoldersDiffer) {
  struct Case {
    const char* from;
    const char* to;
    const char* reference;
  };
  const Case cases[] = {
      {"", "a/b.html", "a/b.html"},
      {"s", "s/x.gif", "x.gif"},
      {"s/a", "s/img/x.gif", "../img/x.gif"},
      {"s/ab", "s/a/x", "../a/x"},
      {"s/a", "s/ab/x", "../ab/x"},
      {"s/a/b", "t/x", "../../../t/x"},
      {"s", "s/a b/caf\xC3\xA9?#%.png", "a%20b/caf%C3%A9%3F%23%25.png"},
      {"s", "s/x:y@z=1+2&3.html", "x%3Ay@z=1+2%263.html"},
  };
  for (const Case& c : cases) EXPECT_EQ(RelativeReference(c.from, c.to), c.reference) << c.from << " " << c.to;
}

}  // namespace
}  // namespace vantry::archive

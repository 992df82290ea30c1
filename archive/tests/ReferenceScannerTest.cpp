#include "archive/ReferenceScanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive/CssReferences.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using Strings = std::vector<std::string>;

// Each value that holds references, as "kind role:text" ("url link:page.htm").
Strings Found(std::string_view html) {
  Strings found;
  for (const HtmlReference& reference : FindHtmlReferences(html)) {
    static const char* kKinds[] = {"url", "srcset", "style", "base", "refresh"};
    static const char* kRoles[] = {"link", "requisite", "frame"};
    found.push_back(std::string(kKinds[static_cast<int>(reference.kind)]) + " " +
                    kRoles[static_cast<int>(reference.role)] + ":" +
                    std::string(html.substr(reference.begin, reference.end - reference.begin)));
  }
  return found;
}

TEST(FindHtmlReferences, FindsEveryValueThatHoldsAReference) {
  const std::pair<const char*, Strings> cases[] = {
      {"<A HREF=page.htm>", {"url link:page.htm"}},
      {"<IMG SRC='pic.gif'>", {"url requisite:pic.gif"}},
      {"<Img\nsrc=pic.gif>", {"url requisite:pic.gif"}},
      {"<a href =x.htm>", {"url link:x.htm"}},
      {"<a href=\"\">", {"url link:"}},
      {"<img src=>", {}},
      {"<area shape=rect href=\"map.htm\">", {"url link:map.htm"}},
      {"<abbr href=ab.htm>", {}},
      {"<body background=bg.gif>", {"url requisite:bg.gif"}},
      {"<frameset rows=\"50%,50%\"><frame src=\"g.htm\">", {"url frame:g.htm"}},
      {"<iframe src=\"i.htm\"></iframe>", {"url frame:i.htm"}},
      {"<LiNk rel=stylesheet href=s.css>", {"url requisite:s.css"}},
      {"<link rel=\"shortcut icon\" href=/i.ico><link rel=next href=n.htm>",
       {"url requisite:/i.ico", "url link:n.htm"}},
      {"<embed src=m.swf><object data=o.svg></object>", {"url requisite:m.swf", "url requisite:o.svg"}},
      {"<script src=\"a.js\"></script><script>var s = '<img src=x.gif>';</script>", {"url requisite:a.js"}},
      {"<video poster=p.jpg src=v.mp4></video>", {"url requisite:p.jpg", "url requisite:v.mp4"}},
      {"<img src=a.png srcset=\"a.png 1x, b.png 2x\">", {"url requisite:a.png", "srcset requisite:a.png 1x, b.png 2x"}},
      {"<p style=\"background:url(b.gif)\">", {"style requisite:background:url(b.gif)"}},
      {"<style>@import 'x.css';</style>", {"style requisite:@import 'x.css';"}},
      {"<base href=\"http://s/d/\"><form action=f.cgi>", {"base link:http://s/d/", "url link:f.cgi"}},
      {"<meta http-equiv=Refresh content=\"0; url=next.htm\">", {"refresh link:0; url=next.htm"}},
      {"<meta name=x content=\"0; url=next.htm\">", {}},
      {"<a href=\"a\tb.htm\">", {"url link:a\tb.htm"}},
      {"<a href=\"x.htm?a=1&amp;b=2\">", {"url link:x.htm?a=1&amp;b=2"}},
      {"<svg><image xlink:href=\"s.png\"/><use href=\"#i\"/></svg>", {"url requisite:s.png", "url requisite:#i"}},
  };
  for (const auto& [html, expected] : cases) EXPECT_EQ(Found(html), expected) << html;
}

TEST(FindHtmlReferences, PassesOverCommentsDoctypesEndTagsAndCutOffTags) {
  const std::pair<const char*, Strings> cases[] = {
      {"<!-- <a href=c.htm> --> <a href=d.htm>", {"url link:d.htm"}},
      {"<!-- one\n<a href=c.htm\n--> <a href=d.htm>", {"url link:d.htm"}},
      {"<!-- <b> <a href=c.htm> -->", {}},
      {"<!----><a href=e.htm>", {"url link:e.htm"}},
      {"<!--><a href=e.htm>", {"url link:e.htm"}},
      {"<!DOCTYPE html><a name=top><img src=i.gif><p href=later.htm>", {"url requisite:i.gif"}},
      {"</a href=x.htm><a href=y.htm>", {"url link:y.htm"}},
      {"<textarea><img src=t.gif></textarea><img src=u.gif>", {"url requisite:u.gif"}},
      {"<a href=\"never closed", {}},
      {"a < b and <3 <a href=ok.htm>", {"url link:ok.htm"}},
  };
  for (const auto& [html, expected] : cases) EXPECT_EQ(Found(html), expected) << html;
}

TEST(FindHtmlReferences, KeepsEveryReferenceOfABigPage) {
  std::string html;
  for (int i = 0; i < 600; ++i) html += "<a href=p" + std::to_string(i) + ".htm>\n";
  EXPECT_EQ(FindHtmlReferences(html).size(), 600u);
}

TEST(ForEachSrcsetAddress, SplitsCandidatesAtCommasOutsideTheirAddresses) {
  const std::pair<const char*, Strings> cases[] = {
      {"a.png", {"a.png"}},
      {"a.png 1x, b.png 2x", {"a.png", "b.png"}},
      {"  a.png 100w,b.png 200w ", {"a.png", "b.png"}},
      {"a,b.png 1x, c.png", {"a,b.png", "c.png"}},
      {"a.png,b.png", {"a.png,b.png"}},
      {"a.png, , b.png 2x,", {"a.png", "b.png"}},
      {"a.png (min-width: 1px, x) 1x, b.png", {"a.png", "b.png"}},
      {", ,", {}},
  };
  for (const auto& [srcset, expected] : cases) {
    Strings found;
    const std::string_view text(srcset);
    ForEachSrcsetAddress(
        text, [&](std::size_t begin, std::size_t end) { found.emplace_back(text.substr(begin, end - begin)); });
    EXPECT_EQ(found, expected) << srcset;
  }
}

TEST(RefreshAddress, FindsTheAddressAfterTheDelay) {
  const std::pair<const char*, const char*> cases[] = {
      {"0; url=next.htm", "next.htm"},
      {"5;URL='a b.htm'", "a b.htm"},
      {"0 , url = x.htm ", "x.htm"},
      {"3; next.htm", "next.htm"},
      {"10", ""},
      {"0; url=\"q.htm\"", "q.htm"},
  };
  for (const auto& [content, address] : cases) {
    const TextRange range = RefreshAddress(content);
    EXPECT_EQ(std::string_view(content).substr(range.begin, range.end - range.begin), address) << content;
  }
}

TEST(FindCssReferences, FindsUrlsAndImportsButNoOtherStrings) {
  const std::pair<const char*, Strings> cases[] = {
      {"a{background:url(x.gif)}", {"x.gif"}},
      {"a{background:URL( 'x y.gif' )}", {"x y.gif"}},
      {"a{background:url(\"q.gif\") no-repeat}", {"q.gif"}},
      {"@import \"base.css\"; @import url(more.css) screen;", {"base.css", "more.css"}},
      {"@IMPORT 'x.css';", {"x.css"}},
      {"a{content:\"url(no.gif)\"}", {}},
      {"/* url(no.gif) @import 'no.css'; */ b{}", {}},
      {"a{font-family:'x'} b{background:myurl(no.gif)}", {}},
      {"@import 'a.css'; p{content:'b.css'}", {"a.css"}},
  };
  for (const auto& [css, expected] : cases) {
    Strings found;
    for (const CssReference& reference : FindCssReferences(css)) {
      found.emplace_back(std::string_view(css).substr(reference.begin, reference.end - reference.begin));
    }
    EXPECT_EQ(found, expected) << css;
  }
}

}  // namespace
}  // namespace vantry::archive

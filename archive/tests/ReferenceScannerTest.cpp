#include "archive/ReferenceScanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Strings = std::vector<std::string>;

struct ScanCase {
  const char* html;
  Strings links;
  Strings images;
};

TEST(ScanHtmlText, FindsTheReferencesOfEachTagKind) {
  const ScanCase cases[] = {
      {"<A HREF=page.htm>", {"page.htm"}, {}},
      {"<IMG SRC='pic.gif'>", {}, {"pic.gif"}},
      {"<a href =x.htm>", {}, {}},
      {"<a href=>", {""}, {}},
      {"<img src=>", {}, {">"}},
      {"<area shape=rect href=\"map.htm\">", {"map.htm"}, {}},
      {"<abbr href=ab.htm>", {"ab.htm"}, {}},
      {"<body background=bg.gif>", {}, {"bg.gif"}},
      {"<frameset src=f.htm>", {"f.htm"}, {}},
      {"<frame src=\"g.htm\">", {"g.htm"}, {}},
      {"<LiNk rel=stylesheet href=s.css>", {"s.css"}, {}},
      {"<embed src=m.swf>", {}, {"m.swf"}},
      {"<base href=b.htm><form action=f.cgi>", {}, {}},
      {"<a href=\"a\tb.htm\">", {"a\tb.htm"}, {}},
      {"<a href=\"  'x.htm'\">", {"x.htm"}, {}},
      {"<a href=x.htm>\n", {"x.htm"}, {}},
      {"<img src=\"a.gif\"><img src=b.gif><img src=\"a.gif\">", {}, {"a.gif", "b.gif"}},
  };
  for (const ScanCase& c : cases) {
    const PageReferences refs = ScanHtmlText(c.html);
    EXPECT_EQ(refs.links.Entries(), c.links) << c.html;
    EXPECT_EQ(refs.images.Entries(), c.images) << c.html;
  }
}

TEST(ScanHtmlText, AnATagWithoutHrefTakesTheNextHrefAndSkipsTheTagsBetween) {
  const PageReferences refs = ScanHtmlText("<a name=top><img src=i.gif><p href=later.htm>");
  EXPECT_THAT(refs.links.Entries(), ElementsAre("later.htm"));
  EXPECT_THAT(refs.images.Entries(), IsEmpty());
}

TEST(ScanHtmlText, RefusesNonPageSchemesAndLoneSlashesInLinksOnly) {
  const PageReferences refs = ScanHtmlText(
      "<a href=\"MAILTO:x@y\"><a href=\"Ftp://h/f\"><a href=news:g><a href=x.htm#WAIS:q>"
      "<a href=\"javascript:go()\"><a href=/><a href=\\><a href=\"//\">"
      "<img src=\"ftp://h/i.gif\"><img src=/>");
  EXPECT_THAT(refs.links.Entries(), ElementsAre("javascript:go()", "//"));
  EXPECT_THAT(refs.images.Entries(), ElementsAre("ftp://h/i.gif"));
}

TEST(ScanHtmlText, SkipsTagsInsideCommentsUntilTheCommentCloses) {
  const ScanCase cases[] = {
      {"<!-- <a href=c.htm --> <a href=d.htm>", {"d.htm"}, {}},
      {"<!-- one\n<a href=c.htm\n--> <a href=d.htm>", {"d.htm"}, {}},
      // A '>' inside a comment ends it early, so a later tag of the comment counts.
      {"<!-- <b> <a href=c.htm> -->", {"c.htm"}, {}},
      {"<!----><a href=e.htm>", {"e.htm"}, {}},
  };
  for (const ScanCase& c : cases) {
    EXPECT_EQ(ScanHtmlText(c.html).links.Entries(), c.links) << c.html;
  }
}

TEST(ScanHtmlText, JoinsTheNextLineOnlyWhileATagOfInterestIsOpen) {
  EXPECT_THAT(ScanHtmlText("<img\nsrc=pic.gif>").images.Entries(), ElementsAre("pic.gif"));
  EXPECT_THAT(ScanHtmlText("<Img\nsrc=pic.gif>").images.Entries(), IsEmpty());
  EXPECT_THAT(ScanHtmlText("<a\r\nhref=page.htm\r\n>").links.Entries(), ElementsAre("page.htm"));
}

TEST(ScanHtmlText, ReadsLongLinesInPiecesWithoutLosingReferences) {
  std::string html(4090, 'x');  // the tag straddles the 4095-byte read
  html += "<a href=far.htm>";
  EXPECT_THAT(ScanHtmlText(html).links.Entries(), ElementsAre("far.htm"));
}

TEST(ScanHtmlText, KeepsAtMost500DistinctEntriesPerList) {
  std::string html;
  for (int i = 0; i < 501; ++i) html += "<a href=p" + std::to_string(i) + ".htm>\n";
  html += "<img src=a.gif><img src=b.gif>";
  const PageReferences refs = ScanHtmlText(html);
  ASSERT_EQ(refs.links.Count(), 500u);
  EXPECT_EQ(refs.links.Entry(499), "p499.htm");
  EXPECT_EQ(refs.images.Count(), 2u);
}

TEST(TagIsOpen, TellsWhetherATagThatMayCarryAReferenceIsStillOpen) {
  const std::pair<const char*, bool> cases[] = {
      {"<img src=x", true},
      {"<IMG src=x", true},
      {"<Img src=x", false},
      {"<img src=x>", false},
      {"<a", true},
      {"<Applet code=x", true},
      {"<p class=x", false},
      {"<a href=x> <b", false},
      {"<FORM action=", true},
      {"<frameset rows=", true},
      {"<BoDy bg", true},
      {"<link rel", true},
      {"<Link rel", false},
      {"text only", false},
      {"<a x> <embed", true},
  };
  for (const auto& [text, open] : cases) EXPECT_EQ(TagIsOpen(text), open) << text;
}

TEST(ScanPage, StartsEveryPageOutsideAComment) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "a.htm", "<a href=a1.htm>\n<!-- never closed\n<a href=a2.htm>");
  testing::WriteTestFile(folder / "b.htm", "<a href=b1.htm>\n");
  testing::ScriptedPrompt prompt{false};
  EXPECT_THAT(ScanPage(folder / "a.htm", prompt).links.Entries(), ElementsAre("a1.htm"));
  EXPECT_THAT(ScanPage(folder / "b.htm", prompt).links.Entries(), ElementsAre("b1.htm"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(ScanPage, ReportsAnUnreadablePageAndYieldsEmptyLists) {
  testing::TempFolder folder;
  testing::ScriptedPrompt prompt{false};
  const PageReferences refs = ScanPage(folder / "missing.htm", prompt);
  EXPECT_EQ(refs.links.Count() + refs.images.Count(), 0u);
  EXPECT_THAT(prompt.told, ElementsAre(testing::PromptCall{"Problem opening the file", "ReadHtml"}));
}

}  // namespace
}  // namespace vantry::archive

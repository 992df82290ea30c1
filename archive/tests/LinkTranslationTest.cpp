#include "archive/LinkTranslation.h"

#include <random>

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

struct Case {
  const char* text;
  const char* expected;
};

std::string Translated(const LinkTranslation& translation, std::string text) {
  translation.Apply(text);
  return text;
}

TEST(LinkTranslation, ReplacesSearchTextsThatEndAnAttributeValue) {
  LinkTranslation translation;
  translation.Add("http://s/a.asp", "/d/a.html");
  translation.Add("a.asp", "a.html");
  const Case cases[] = {
      {"<a href=\"http://s/a.asp\">", "<a href=\"/d/a.html\">"},
      {"<a href=\"a.asp\">", "<a href=\"a.html\">"},
      {"<a href='a.asp'>", "<a href='a.html'>"},
      {"see a.asp here", "see a.html here"},
      {"<a href=\"xa.asp\">", "<a href=\"xa.html\">"},
      {"<a href=a.asp>", "<a href=a.asp>"},
      {"<a href=\"a.asp?x\">", "<a href=\"a.asp?x\">"},
      {"ends with a.asp", "ends with a.asp"},
      {"\"a.asp\" \"a.asp\"", "\"a.html\" \"a.html\""},
  };
  for (const Case& c : cases) EXPECT_EQ(Translated(translation, c.text), c.expected) << c.text;
}

TEST(LinkTranslation, TheOccurrenceThatStartsFirstWinsOverPairOrder) {
  LinkTranslation translation;
  translation.Add("/docs/", "docs.html");
  translation.Add("b.asp", "b.html");
  translation.Add("http://s/docs/", "/d/docs.html");
  translation.Add("http://s/x/b.asp", "/d/x/b.html");
  const Case cases[] = {
      {"<a href=\"http://s/docs/\">", "<a href=\"/d/docs.html\">"},
      {"<a href=\"/docs/\">", "<a href=\"docs.html\">"},
      {"<a href=\"http://s/x/b.asp\">", "<a href=\"/d/x/b.html\">"},
      {"<a href=\"../b.asp\">", "<a href=\"../b.html\">"},
  };
  for (const Case& c : cases) EXPECT_EQ(Translated(translation, c.text), c.expected) << c.text;
}

TEST(LinkTranslation, EarlierPairsWinForEqualTextsAndReplacementsAreNotSearchedAgain) {
  LinkTranslation translation;
  translation.Add("x.htm", "first.htm");
  translation.Add("x.htm", "second.htm");
  translation.Add("first.htm", "third.htm");
  translation.Add("", "never");
  EXPECT_EQ(Translated(translation, "\"x.htm\" \"first.htm\""), "\"first.htm\" \"third.htm\"");
  EXPECT_TRUE(translation.HasSearchText("x.htm"));
  EXPECT_FALSE(translation.HasSearchText("x.ht"));
  std::string untouched = "<p>nothing to do</p>";
  EXPECT_FALSE(translation.Apply(untouched));
}

// Brute force: every occurrence ending before a blank or quote, the earliest start winning.
std::string SlowlyTranslated(const std::vector<ReplacementPair>& pairs, const std::string& text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(pairs.size()) && best == -1; ++i) {
      const std::string& search = pairs[i].search;
      const std::size_t end = pos + search.size();
      if (!search.empty() && end < text.size() && text.compare(pos, search.size(), search) == 0 &&
          (text[end] == ' ' || text[end] == '"' || text[end] == '\'')) {
        best = i;
      }
    }
    if (best == -1) {
      out += text[pos++];
    } else {
      out += pairs[best].replacement;
      pos += pairs[best].search.size();
    }
  }
  return out;
}

TEST(LinkTranslation, AgreesWithABruteForceTranslationOnRandomTexts) {
  std::mt19937 random(7);
  const std::string alphabet = "ab/.\" \x27 \xB0";
  const auto randomText = [&](std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    LinkTranslation translation;
    for (int i = 0; i < 12; ++i) {
      std::string search = randomText(1 + random() % 20);
      while (!search.empty() && (search.back() == ' ' || search.back() == '"' || search.back() == '\'')) {
        search.pop_back();
      }
      translation.Add(search, "<" + std::to_string(i) + ">");
    }
    const std::string text = randomText(random() % 300);
    ASSERT_EQ(Translated(translation, text), SlowlyTranslated(translation.pairs(), text)) << text;
  }
}

TEST(BlankLeadingSlashOfAnchors, MakesServerAbsoluteAnchorValuesRelative) {
  const Case cases[] = {
      {"<a href=\"/x.html\">", "<a href=\" x.html\">"},
      {"< a HREF = '/x'>", "< a HREF = ' x'>"},
      {"<a href=\"'/x\">", "<a href=\"' x\">"},
      {"<a href=/x>", "<a href= x>"},
      {"<area href=\"/m\">", "<area href=\" m\">"},
      {"<a class=k href=\"/k\">", "<a class=k href=\" k\">"},
      {"<A href=\"/x\">", "<A href=\"/x\">"},
      {"<img src=\"/x\">", "<img src=\"/x\">"},
      {"<a name=x><b href=\"/y\">", "<a name=x><b href=\"/y\">"},
      {"<a href=\"rel/x\">", "<a href=\"rel/x\">"},
      {"<a href=\"/copies/site/x.html\">", "<a href=\"/copies/site/x.html\">"},
      {"<a href", "<a href"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    const bool changed = BlankLeadingSlashOfAnchors(text, "/copies/site/");
    EXPECT_EQ(changed, text != c.text) << c.text;
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

}  // namespace
}  // namespace vantry::archive

#include "tools/vantry-store/CommandLine.h"

#include <gtest/gtest.h>

namespace vantry::storetool {

namespace {

TEST(CommandLineTest, SoundLinesGiveTheirCommand) {
  struct Case {
    std::vector<std::string> args;
    Verb verb;
    std::vector<std::string> operands;
  };
  const Case cases[] = {
      {{"demo"}, Verb::Demo, {}},
      {{"synth", "100000"}, Verb::Synth, {"100000"}},
      {{"add", "http://h.example/a.html", "a.html"}, Verb::Add, {"http://h.example/a.html", "a.html"}},
      {{"add", "--sticky", "ftp://h.example/f", "f", "text/plain"},
       Verb::Add,
       {"ftp://h.example/f", "f", "text/plain"}},
      {{"visit", "http://h.example/", "--days-ago=3"}, Verb::Visit, {"http://h.example/"}},
      {{"cookie", "--path", "/shop/", ".h.example", "sid", "abc"}, Verb::Cookie, {".h.example", "sid", "abc"}},
      {{"cookie", "h.example", "empty", ""}, Verb::Cookie, {"h.example", "empty", ""}},
      {{"rm", "Visited: @http://h.example/"}, Verb::Remove, {"Visited: @http://h.example/"}},
      {{"rm", "--", "--odd-key"}, Verb::Remove, {"--odd-key"}},
      {{"list"}, Verb::List, {}},
      {{"list", "visited:"}, Verb::List, {"visited:"}},
      {{"stats"}, Verb::Stats, {}},
      {{"help"}, Verb::Help, {}},
      {{"copy-tree", "http://h.example/", "copies"}, Verb::CopyTree, {"http://h.example/", "copies"}},
      {{"copy-page", "http://h.example/a?b", "/tmp/c d", "a note"},
       Verb::CopyPage,
       {"http://h.example/a?b", "/tmp/c d", "a note"}},
      {{"--help"}, Verb::Help, {}},
      {{"-h"}, Verb::Help, {}},
      {{"--help", "import"}, Verb::Help, {}},
      {{"profiles"}, Verb::Profiles, {}},
      {{"import", "all"}, Verb::Import, {"all"}},
  };
  for (const Case& c : cases) {
    ParsedCommandLine parsed = ParseCommandLine(c.args);
    ASSERT_TRUE(parsed.command) << c.args[0] << ": " << parsed.error;
    EXPECT_EQ(parsed.command->verb, c.verb) << c.args[0];
    EXPECT_EQ(parsed.command->operands, c.operands) << c.args[0];
  }
}

TEST(CommandLineTest, OptionsCarryTheirValues) {
  auto add = ParseCommandLine({"add", "--sticky", "http://h.example/", "f"});
  ASSERT_TRUE(add.command);
  EXPECT_TRUE(add.command->sticky);
  auto visit = ParseCommandLine({"visit", "--days-ago", "45", "http://h.example/"});
  ASSERT_TRUE(visit.command);
  EXPECT_EQ(visit.command->days, 45);
  auto cookie = ParseCommandLine({"cookie", "--secure", "--days=30", "--path=/a/", "h.example", "n", "v"});
  ASSERT_TRUE(cookie.command);
  EXPECT_TRUE(cookie.command->secure);
  EXPECT_EQ(cookie.command->days, 30);
  EXPECT_EQ(cookie.command->path, "/a/");
  auto session = ParseCommandLine({"cookie", "h.example", "n", "v"});
  ASSERT_TRUE(session.command);
  EXPECT_EQ(session.command->days, 0);
  EXPECT_EQ(session.command->path, "/");
  auto synth = ParseCommandLine({"synth", "10000000"});
  ASSERT_TRUE(synth.command);
  EXPECT_EQ(synth.command->count, 10000000u);
}

TEST(CommandLineTest, RefusedLinesSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"fill"}, "unknown command \"fill\""},
      {{"Demo"}, "unknown command \"Demo\""},
      {{"demo", "extra"}, "demo: wrong number of arguments; usage: vantry-store demo"},
      {{"synth"}, "synth: wrong number of arguments"},
      {{"synth", "0"}, "synth: N must be a whole number from 1 to 10000000, not \"0\""},
      {{"synth", "-5"}, "not \"-5\""},
      {{"synth", "12abc"}, "not \"12abc\""},
      {{"synth", "10000001"}, "not \"10000001\""},
      {{"add", "http://h.example/"}, "add: wrong number of arguments"},
      {{"copy-tree", "http://h.example/"},
       "copy-tree: wrong number of arguments; usage: vantry-store copy-tree URL DEST [COMMENT]"},
      {{"copy-page", "h.example/page", "d"}, "copy-page: \"h.example/page\" is not a web address"},
      {{"copy-tree", "http://h.example/", ""}, "copy-tree: the folder must be one line of text"},
      {{"copy-page", "http://h.example/", "d", "two\nlines"}, "copy-page: the comment must be one line of text"},
      {{"add", "h.example/page", "f"}, "add: \"h.example/page\" is not a web address"},
      {{"add", "http:///page", "f"}, "is not a web address"},
      {{"add", "Cookie:user@h.example/", "f"}, "is not a web address"},
      {{"add", "http://h.example/a b", "f"}, "is not a web address"},
      {{"add", "http://h.example/", "f", "html"}, "add: \"html\" is not a content type"},
      {{"add", "--secure", "http://h.example/", "f"}, "add: unknown option \"--secure\""},
      {{"add", "--sticky=yes", "http://h.example/", "f"}, "add: --sticky takes no value"},
      {{"visit", "--days-ago"}, "visit: --days-ago needs a value"},
      {{"visit", "--days-ago", "-1", "http://h.example/"},
       "--days-ago wants a number of days from 0 to 36500, not \"-1\""},
      {{"visit", "--days-ago", "36501", "http://h.example/"}, "not \"36501\""},
      {{"visit", "http://h.example/\nX"}, "visit: the address must be one line of text"},
      {{"cookie", "h.example", "n"}, "cookie: wrong number of arguments"},
      {{"cookie", "h.example/path", "n", "v"}, "cookie: \"h.example/path\" is not a domain"},
      {{"cookie", "user@h.example", "n", "v"}, "is not a domain"},
      {{"cookie", "h.example", "a=b", "v"}, "cookie: \"a=b\" is not a cookie name"},
      {{"cookie", "h.example", "n", "two words"}, "cookie: the value \"two words\" holds a blank"},
      {{"cookie", "h.example", "n", "a;b"}, "holds a blank, ';'"},
      {{"cookie", "--path", "shop", "h.example", "n", "v"}, "cookie: the path \"shop\" must begin with '/'"},
      {{"cookie", "--days", "0", "h.example", "n", "v"}, "--days wants a number of days from 1 to 36500, not \"0\""},
      {{"rm"}, "rm: wrong number of arguments"},
      {{"rm", ""}, "rm: the key is empty"},
      {{"list", "a", "b"}, "list: wrong number of arguments"},
      {{"stats", "--all"}, "stats: unknown option \"--all\""},
      {{"profiles", "firefox"}, "profiles: wrong number of arguments"},
  };
  for (const Case& c : cases) {
    ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_FALSE(parsed.command) << ::testing::PrintToString(c.args);
    EXPECT_NE(parsed.error.find(c.error), std::string::npos)
        << ::testing::PrintToString(c.args) << " gave: " << parsed.error;
  }
}

TEST(CommandLineTest, UsageNamesEveryCommandTheFolderAndTheExitCodes) {
  std::string usage = UsageText("/some/store");
  EXPECT_TRUE(usage.starts_with("Usage: vantry-store COMMAND [ARGUMENTS]\n"));
  EXPECT_NE(usage.find("Now: /some/store\n"), std::string::npos);
  for (const char* synopsis :
       {"  demo ", "  synth N ", "  add [--sticky] URL FILE [CONTENT-TYPE]\n", "  visit [--days-ago N] ADDRESS\n",
        "  cookie [--secure] [--path PATH] [--days N]", "  rm KEY ", "  list [PREFIX] ", "  stats ",
        "  help, --help, -h ", "  profiles ", "  import firefox|chromium [PROFILE], import all, import PROFILE_FOLDER"})
    EXPECT_NE(usage.find(synopsis), std::string::npos) << synopsis;
  EXPECT_NE(usage.find("0 done, 1 failed"), std::string::npos);
  EXPECT_NE(usage.find("2 usage error"), std::string::npos);
}

}  // namespace

}  // namespace vantry::storetool

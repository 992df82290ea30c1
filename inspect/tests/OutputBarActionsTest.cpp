#include "inspect/OutputBarActions.h"

#include <map>

#include <gtest/gtest.h>

namespace vantry::inspect {

namespace {

class FakeActions : public OutputBarActions {
 public:
  std::string ContentFolder() const override { return "/store/content"; }
  void ShowInHtmlPane(std::string_view path) override { calls.push_back("show " + std::string(path)); }
  std::string FindAddressOfLocalFile(std::string_view path) override {
    calls.push_back("find " + std::string(path));
    auto it = addresses.find(std::string(path));
    return it == addresses.end() ? "" : it->second;
  }
  std::optional<cache::CacheEntry> LookupEntry(std::string_view key) override {
    calls.push_back("lookup " + std::string(key));
    auto it = entries.find(std::string(key));
    if (it == entries.end()) return std::nullopt;
    cache::CacheEntry entry;
    entry.localFileName = it->second;
    return entry;
  }
  void SetAddress(std::string_view text) override { calls.push_back("address " + std::string(text)); }

  std::map<std::string, std::string> addresses = {{"/store/content/c2/page.htm", "http://x.org/page.htm"}};
  std::map<std::string, std::string> entries = {{"Cookie", "/store/cookies/u@x.org.txt"}};
  std::vector<std::string> calls;
};

TEST(OpenSearchResult, WhatEachKindOfLineLeadsTo) {
  const Notice notFound{"", "Cache Entry not found!"};
  struct Row {
    const char* line;
    std::vector<std::string> calls;
    Notices notices;
  } rows[] = {
      {"/store/content/c2/page.htm :   <title>Hello",
       {"show /store/content/c2/page.htm", "find /store/content/c2/page.htm", "address http://x.org/page.htm"},
       {}},
      // A cached file whose entry went away still opens; the address box gets "".
      {"/store/content/c0/gone.htm :   text",
       {"show /store/content/c0/gone.htm", "find /store/content/c0/gone.htm", "address "},
       {}},
      // A local copy is no cache key.
      {"/home/u/copies/page.htm :   text", {"lookup /home/u/copies/page.htm "}, {notFound}},
      {"/store/contentx/page.htm :   t", {"lookup /store/contentx/page.htm "}, {notFound}},
      {"www.x.org : my comment", {"lookup www.x.org "}, {notFound}},
      {"Cookie:u@x.org/", {"lookup Cookie", "show /store/cookies/u@x.org.txt", "address Cookie:u@x.org/"}, {}},
      {"", {"lookup "}, {notFound}},
  };
  for (const Row& row : rows) {
    FakeActions actions;
    EXPECT_EQ(OpenSearchResult(row.line, actions), row.notices) << row.line;
    EXPECT_EQ(actions.calls, row.calls) << row.line;
  }
}

}  // namespace

}  // namespace vantry::inspect

#pragma once

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cache/services/FrameServices.h"
#include "cache/store/CacheAccess.h"
#include "cache/store/UrlCacheStore.h"
#include "ops/BrowserCacheDeletion.h"
#include "ops/CommandDialogs.h"
#include "ops/CommandServices.h"
#include "ops/SettingKeys.h"
#include "testing/FakeFrame.h"
#include "testing/FakeList.h"
#include "testing/MemorySettings.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

// Test stores and recording stand-ins for the window layer of the cache commands.
namespace vantry::ops {

using testing::TempFolder;

inline constexpr const char* kHtmlHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";

// A store in a temporary folder with helpers to fill it.
class TestStore {
 public:
  TestStore() {
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder_.path() / "store");
    EXPECT_EQ(opened.error, "");
    store_ = std::move(opened.store);
  }
  cache::UrlCacheStore& operator*() { return *store_; }
  cache::UrlCacheStore* operator->() { return store_.get(); }
  const testing::TempFolder& folder() const { return folder_; }

  // A content entry (with headers) holding `content`.
  void Page(const std::string& url, const std::string& content = "<html></html>",
            const std::string& headers = kHtmlHeaders, cache::FileTime lastAccess = 0) {
    cache::NewEntry entry;
    entry.url = url;
    entry.content = content;
    entry.headers = headers;
    entry.lastAccessTime = lastAccess;
    ASSERT_EQ(store_->AddEntry(entry), cache::STORE_OK) << url;
  }
  // An entry with a file but without stored headers.
  void Headerless(const std::string& url) { Page(url, "bytes", ""); }
  void Visit(const std::string& address, cache::FileTime when = 0) {
    ASSERT_EQ(store_->RecordVisit(address, when, 1), cache::STORE_OK) << address;
  }
  void CookieFor(const std::string& domain) {
    cache::Cookie cookie;
    cookie.name = "id";
    cookie.value = "42";
    cookie.domain = domain;
    ASSERT_EQ(store_->SetCookie(cookie), cache::STORE_OK) << domain;
  }

  std::vector<std::string> Urls() {
    std::vector<std::string> urls;
    cache::WalkCache(*store_, "", [&](cache::CacheEntry& e) { urls.push_back(e.sourceUrl); });
    return urls;
  }
  bool Has(const std::string& url) { return cache::LookupEntry(*store_, url).has_value(); }
  uint32_t TypeOf(const std::string& url) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(*store_, url);
    return entry ? entry->entryType : 0;
  }
  std::string LocalFileOf(const std::string& url) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(*store_, url);
    return entry ? entry->localFileName : std::string();
  }

 private:
  testing::TempFolder folder_;
  std::unique_ptr<cache::UrlCacheStore> store_;
};

class RecordingCursor : public BusyCursor {
 public:
  void Show() override { events.push_back("wait"); }
  void Restore() override { events.push_back("arrow"); }
  bool EndsWithArrow() const { return events.empty() || events.back() == "arrow"; }
  std::vector<std::string> events;
};

class RecordingLists : public ListResets {
 public:
  void ResetAlphaSort() override { order.push_back("AlphaSort"); }
  void ResetAccessSort() override { order.push_back("AccessSort"); }
  void ResetHistory() override { order.push_back("History"); }
  std::vector<std::string> order;
};

class RecordingSink : public LineSink {
 public:
  void ShowLines(const std::vector<std::string>& shown) override {
    lines = shown;
    ++shows;
  }
  std::vector<std::string> lines;
  int shows = 0;
};

// Each dialog is answered by a function the test sets; an unset dialog fails the test.
class ScriptedDialogs : public CommandDialogs {
 public:
  template <typename Choice>
  using Script = std::function<bool(Choice&)>;

  bool RunCopyTo(CopyToChoice& c) override { return Run("CopyTo", copyTo, c); }
  bool RunComment(CommentChoice& c) override { return Run("Comment", comment, c); }
  bool RunCopyFiles(CopyFilesChoice& c) override { return Run("CopyFiles", copyFiles, c); }
  bool RunServerDelete(std::string& c) override { return Run("ServerDelete", serverDelete, c); }
  bool RunFindFiles(FindFilesChoice& c) override { return Run("FindFiles", findFiles, c); }
  bool RunSearchText(SearchTextChoice& c) override { return Run("SearchText", searchText, c); }

  Script<CopyToChoice> copyTo;
  Script<CommentChoice> comment;
  Script<CopyFilesChoice> copyFiles;
  Script<std::string> serverDelete;
  Script<FindFilesChoice> findFiles;
  Script<SearchTextChoice> searchText;
  std::vector<std::string> opened;

 private:
  template <typename Choice>
  bool Run(const char* name, const Script<Choice>& script, Choice& choice) {
    opened.push_back(name);
    if (!script) {
      ADD_FAILURE() << "unexpected dialog " << name;
      return false;
    }
    return script(choice);
  }
};

// A store, a frame, a prompt and a cursor wired into one command context.
struct CommandHarness {
  TestStore store;
  testing::FakeFrame frame;
  testing::ScriptedPrompt prompt;
  RecordingCursor cursor;
  CommandContext context{*store, frame, prompt, cursor};
  BrowserCacheDeletion deletion{*store};
};

}  // namespace vantry::ops

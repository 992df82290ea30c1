#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "cache/store/CacheAccess.h"
#include "cache/store/UrlCacheStore.h"
#include "files/WholeFile.h"
#include "import/HomeFolders.h"
#include "import/ImportCommand.h"
#include "testing/TempFolder.h"

namespace vantry::import {

// The real Firefox and Chromium profiles kept with the project's test data.
inline std::filesystem::path CorpusFolder() { return VANTRY_CORPUS_DIR; }

// The body the store holds for `url`, or a text that says why there is none.
inline std::string StoredBody(cache::UrlCacheStore& store, const std::string& url) {
  std::optional<cache::CacheEntry> entry = cache::LookupEntry(store, url);
  return entry ? files::ReadWholeFile(entry->localFileName).value_or("<unreadable>") : "<no entry " + url + ">";
}

// A fresh store in a temporary folder.
struct ScratchStore {
  testing::TempFolder folder;
  std::unique_ptr<cache::UrlCacheStore> store;
  ScratchStore() {
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder.path() / "store");
    EXPECT_TRUE(opened.store) << opened.error;
    store = std::move(opened.store);
  }
};

// A temporary home folder with the classic XDG folders below it.
struct FakeHome {
  testing::TempFolder folder;
  HomeFolders home{folder.path(), folder.path() / ".config", folder.path() / ".cache"};
  std::filesystem::path operator/(const std::filesystem::path& relative) const { return folder.path() / relative; }
  void File(const std::filesystem::path& relative, std::string_view text = "x") const {
    testing::WriteTestFile(*this / relative, text);
  }
  void Folder(const std::filesystem::path& relative) const { std::filesystem::create_directories(*this / relative); }
};

// Sets an environment variable for one scope and puts the old value back.
class EnvironmentOverride {
 public:
  EnvironmentOverride(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~EnvironmentOverride() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// One run of "vantry-store import" with what it wrote.
struct CommandRun {
  int code;
  std::string out, err;
};

inline CommandRun RunImport(cache::UrlCacheStore& store, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int code = RunImportCommand(args, store, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace vantry::import

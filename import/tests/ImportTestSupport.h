#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "StoreTestSupport.h"
#include "UrlCacheStore.h"

// The browser profiles made by the corpus scripts, or empty when they are not there.
inline std::filesystem::path CorpusFolder() {
  std::filesystem::path corpus = VANTRY_CORPUS_DIR;
  std::error_code ec;
  return std::filesystem::is_directory(corpus / "firefox", ec) ? corpus : std::filesystem::path();
}

#define SKIP_WITHOUT_CORPUS()                                                              \
  if (CorpusFolder().empty()) GTEST_SKIP() << "browser corpus not found at " VANTRY_CORPUS_DIR

// A fresh store in a temporary folder.
struct ScratchStore {
  TempFolder folder;
  std::unique_ptr<UrlCacheStore> store;
  ScratchStore() {
    StoreOpenResult opened = OpenUrlCacheStore(folder.path() / "store");
    EXPECT_TRUE(opened.store) << opened.error;
    store = std::move(opened.store);
  }
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

#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vantry::testing {

// A fresh, empty folder below the test's temporary directory, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "vantry-XXXXXX";
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace vantry::testing

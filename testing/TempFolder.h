#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantry::testing {

// A fresh, empty folder below the tests' temporary directory ($TMPDIR or /tmp), removed with
// everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // path() + "/" + name, as text
  std::string operator/(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

// Writes `bytes` to `path`, creating missing folders; aborts the test run on failure.
void WriteTestFile(const std::string& path, std::string_view bytes);
// The content of `path`, or "<missing>" when it cannot be read.
std::string ReadTestFile(const std::string& path);

}  // namespace vantry::testing

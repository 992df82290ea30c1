#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantry::cache {

// File naming and file I/O of the store's folders.

// A safe file name for a URL's cached copy: the last path segment without query and
// fragment, reduced to portable characters; "index.htm" for a folder address.
std::string CacheFileName(std::string_view url);

// The extension of a file name, without its dot; empty when it has none.
std::string FileExtensionOf(std::string_view fileName);

// The numbered variant "stem[n].ext" of a file name, for when `name` itself is taken.
std::string NumberedFileName(std::string_view name, unsigned number);

// Writes a sibling temporary file and renames it over `path`, so `path` is always whole.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A folder held open, so that its files are looked up and written by name without
// walking the whole path each time.
class OpenFolder {
 public:
  OpenFolder() = default;
  explicit OpenFolder(const std::filesystem::path& folder);
  OpenFolder(OpenFolder&& other) noexcept;
  OpenFolder& operator=(OpenFolder&& other) noexcept;
  ~OpenFolder();
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // Whether the folder holds anything of that name, a dangling link included.
  bool Has(const char* name) const;
  enum class Creation { Written, NameTaken, Failed };
  // Writes a new file of the folder; NameTaken where anything holds the name already,
  // which is left as it is.
  Creation CreateWholeFile(const char* name, std::string_view bytes) const;

 private:
  int fd_ = -1;
};

}  // namespace vantry::cache

#pragma once

#include <cerrno>
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

// A folder held open, so that its files are looked up and written by name without
// walking the whole path each time, and never through a link in place of one of them.
class OpenFolder {
 public:
  OpenFolder() = default;
  // Opens `folder`; links on its path are followed.
  explicit OpenFolder(const std::filesystem::path& folder);
  OpenFolder(OpenFolder&& other) noexcept;
  OpenFolder& operator=(OpenFolder&& other) noexcept;
  ~OpenFolder();
  // Opens the folder `name` of `parent`, creating it where missing, without following a
  // link there: error() is then ELOOP, or ENOTDIR for anything else that is no folder.
  static OpenFolder OpenOrMakeChild(const OpenFolder& parent, const char* name);

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // The errno of a failed open; 0 when open.
  int error() const { return error_; }
  // Whether the folder holds anything of that name, a dangling link included.
  bool Has(const char* name) const;
  enum class Creation { Written, NameTaken, Failed };
  // Writes a new file of the folder; NameTaken where anything holds the name already,
  // which is left as it is. After Failed, `error` (when given) holds the errno.
  Creation CreateWholeFile(const char* name, std::string_view bytes, int* error = nullptr) const;
  // The whole content of a file of the folder; 0, or the errno of the failure (EISDIR
  // for a folder, ELOOP for a link).
  int ReadFile(const char* name, std::string& bytes) const;
  // Replaces or creates a file of the folder by writing "name.tmp" and renaming it over
  // the name, so that the file is always whole; 0 or the errno of the failure.
  int ReplaceFile(const char* name, std::string_view bytes) const;
  // Removes a file (never a folder) of the folder; 0 or the errno of the failure.
  int RemoveFile(const char* name) const;
  // Removes what an interrupted ReplaceFile left behind: the names ending in ".tmp".
  void RemoveTemporaryFiles() const;

 private:
  OpenFolder(int fd, int error) : fd_(fd), error_(error) {}
  int fd_ = -1;
  int error_ = EBADF;
};

}  // namespace vantry::cache

#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace rquenz {

// What one run of the built rquenz showed.
struct ToolResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Conditions a run of the tool is put under, to provoke failures and the
// paths taken on file systems that lack a feature.
struct RunLimits {
  long fileSizeLimit = 0;  // bytes any written file may reach (0: none); past it writes fail
  struct Denial {
    long systemCall;  // e.g. SYS_renameat2
    int error;        // the errno the call then fails with
  };
  std::vector<Denial> denials = {};
};

// Runs the built rquenz in `folder` with `arguments`.
ToolResult RunRquenz(const std::string& folder, const std::vector<std::string>& arguments,
                     const RunLimits& limits = {});

// A fresh folder under the test's temporary folder, removed with all it holds
// when the test ends. Paths given to the methods are relative to it.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

  // Makes the folders on the way as needed.
  void WriteFile(const std::string& relative, const std::string& content, mode_t mode = 0644) const;
  void MakeFolder(const std::string& relative) const;
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  mode_t Mode(const std::string& relative) const;
  // Every entry below the root, as sorted relative paths; folders end with '/'.
  std::vector<std::string> Entries() const;

 private:
  std::string root_;
};

}  // namespace rquenz

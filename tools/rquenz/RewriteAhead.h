#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/rquenz/RewriteFile.h"
#include "tools/rquenz/StreamSubstituter.h"

namespace rquenz {

// Works out the new content of a folder's files on a second core while the
// walk puts the earlier ones in place, in order. The walk takes each file's
// prepared rewrite at the file's turn; when the helper has not started on it
// yet, the walk prepares it itself, and while it waits it prepares later ones.
// Without a second core nothing is planned.
class RewriteAhead {
 public:
  explicit RewriteAhead(const StreamSubstituter& substituter);
  ~RewriteAhead();
  RewriteAhead(const RewriteAhead&) = delete;
  RewriteAhead& operator=(const RewriteAhead&) = delete;

  bool enabled() const { return helper_.joinable(); }

  // Plans the files `names` of the open folder `folderFd`, to be taken in
  // this order. REQUIRES: enabled(), and the last plan was ended.
  void Begin(int folderFd, std::vector<std::string> names);
  // The next planned file's rewrite. `substituter` serves when the caller prepares.
  PreparedRewrite TakeNext(StreamSubstituter& substituter);
  // Keeps a taken rewrite's buffer for a later file.
  void Recycle(SubstitutedBytes buffer);
  // Waits until the helper has let go of the folder and drops what was not taken.
  void End();

 private:
  struct Job {
    std::string name;
    bool done = false;
    PreparedRewrite rewrite;
  };
  // Files prepared ahead of the one to be taken next: bounds the memory held.
  static constexpr size_t kWindow = 8;

  bool CanClaim() const { return nextClaim_ < jobs_.size() && nextClaim_ < nextTake_ + kWindow; }
  // Prepares the next unclaimed job with `lock` released meanwhile.
  void PrepareNext(std::unique_lock<std::mutex>& lock, StreamSubstituter& substituter);
  void HelperLoop();

  StreamSubstituter helperSubstituter_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int folderFd_ = -1;
  std::vector<Job> jobs_;
  size_t nextClaim_ = 0;
  size_t nextTake_ = 0;
  size_t inProgress_ = 0;
  bool stopping_ = false;
  std::vector<SubstitutedBytes> spareBuffers_;
  std::thread helper_;
};

}  // namespace rquenz

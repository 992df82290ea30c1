#include "tools/rquenz/RewriteAhead.h"

#include <utility>

namespace rquenz {

RewriteAhead::RewriteAhead(const StreamSubstituter& substituter) : helperSubstituter_(substituter) {
  if (std::thread::hardware_concurrency() > 1) helper_ = std::thread([this] { HelperLoop(); });
}

RewriteAhead::~RewriteAhead() {
  if (!enabled()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  helper_.join();
}

void RewriteAhead::Begin(int folderFd, std::vector<std::string> names) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    folderFd_ = folderFd;
    jobs_.clear();
    jobs_.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i) jobs_[i].name = std::move(names[i]);
    nextClaim_ = 0;
    nextTake_ = 0;
  }
  changed_.notify_all();
}

PreparedRewrite RewriteAhead::TakeNext(StreamSubstituter& substituter) {
  std::unique_lock<std::mutex> lock(mutex_);
  Job& job = jobs_[nextTake_];
  while (!job.done) {
    if (CanClaim()) {
      PrepareNext(lock, substituter);
    } else {
      changed_.wait(lock);
    }
  }
  ++nextTake_;
  changed_.notify_all();  // the window moved on
  return std::move(job.rewrite);
}

void RewriteAhead::Recycle(SubstitutedBytes buffer) {
  std::lock_guard<std::mutex> lock(mutex_);
  spareBuffers_.push_back(std::move(buffer));
}

void RewriteAhead::End() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return inProgress_ == 0; });
  for (size_t i = nextTake_; i < nextClaim_; ++i) spareBuffers_.push_back(std::move(jobs_[i].rewrite.content));
  jobs_.clear();
  nextClaim_ = 0;
  nextTake_ = 0;
  folderFd_ = -1;
}

void RewriteAhead::PrepareNext(std::unique_lock<std::mutex>& lock, StreamSubstituter& substituter) {
  Job& job = jobs_[nextClaim_++];
  SubstitutedBytes buffer;
  if (!spareBuffers_.empty()) {
    buffer = std::move(spareBuffers_.back());
    spareBuffers_.pop_back();
  }
  const int folderFd = folderFd_;
  ++inProgress_;
  lock.unlock();
  PreparedRewrite rewrite = PrepareRewrite(folderFd, job.name, substituter, std::move(buffer));
  lock.lock();
  job.rewrite = std::move(rewrite);
  job.done = true;
  --inProgress_;
  changed_.notify_all();
}

void RewriteAhead::HelperLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || CanClaim(); });
    if (stopping_) return;
    PrepareNext(lock, helperSubstituter_);
  }
}

}  // namespace rquenz

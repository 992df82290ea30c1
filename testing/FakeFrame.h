#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cache/services/FrameServices.h"

namespace vantry::testing {

// A frame that remembers what the lists asked of it.
class FakeFrame : public cache::FrameServices {
 public:
  // One piece of work the frame followed: its text, how often it advanced and the last
  // (done, total) it reported, and whether its progress was destroyed again.
  struct Work {
    std::string what;
    uint64_t advances = 0;
    std::pair<uint64_t, uint64_t> last;
    bool ended = false;
  };

  void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
  void EnsureProgressBar() override { ++progressBarRequests; }
  void StepProgress() override { ++progressSteps; }
  void ResetProgress() override { ++progressResets; }
  std::unique_ptr<cache::WorkProgress> BeginWork(std::string_view what) override {
    works.push_back({std::string(what), 0, {}, false});
    return std::make_unique<RecordedWork>(*this, works.size() - 1);
  }
  void SetAddress(std::string_view text) override { addresses.emplace_back(text); }
  void PublishStatistics(const cache::CacheStatistics& statistics) override {
    published = statistics;
    ++publications;
  }
  const cache::CacheStatistics& PublishedStatistics() const override { return published; }
  void RegisterExpandedList(cache::ExpandedList* list) override {
    lastExpanded = list;
    ++registrations;
  }
  cache::ExpandedList* LastExpandedList() const override { return lastExpanded; }

  std::vector<std::string> statusTexts;
  std::vector<std::string> addresses;
  int progressBarRequests = 0;
  int progressSteps = 0;
  int progressResets = 0;
  cache::CacheStatistics published;
  int publications = 0;
  cache::ExpandedList* lastExpanded = nullptr;
  int registrations = 0;
  std::vector<Work> works;
  // The user stops each work at its advance number `stopAtAdvance` (never when 0).
  uint64_t stopAtAdvance = 0;

 private:
  class RecordedWork : public cache::WorkProgress {
   public:
    RecordedWork(FakeFrame& frame, size_t index) : frame_(frame), index_(index) {}
    ~RecordedWork() override { frame_.works[index_].ended = true; }
    bool Advance(uint64_t done, uint64_t total) override {
      Work& work = frame_.works[index_];
      work.last = {done, total};
      ++work.advances;
      return frame_.stopAtAdvance == 0 || work.advances < frame_.stopAtAdvance;
    }

   private:
    FakeFrame& frame_;
    size_t index_;
  };
};

}  // namespace vantry::testing

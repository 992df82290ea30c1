#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/services/FrameServices.h"

namespace vantry::testing {

// A frame that remembers what the lists asked of it.
class FakeFrame : public cache::FrameServices {
 public:
  void SetStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
  void EnsureProgressBar() override { ++progressBarRequests; }
  void StepProgress() override { ++progressSteps; }
  void ResetProgress() override { ++progressResets; }
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
};

}  // namespace vantry::testing

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cache/services/FrameServices.h"

namespace vantry::testing {

// A list tab holding `items` under its root; it records what the delete commands ask of it.
class FakeList : public cache::ExpandedList {
  std::string root_;

 public:
  explicit FakeList(std::string root, std::vector<std::string> items = {})
      : root_(std::move(root)), items(std::move(items)) {}
  std::string RootText() const override { return root_; }
  void ClearSelection() override { ++selectionClears; }
  bool RemoveItem(std::string_view address, int levels) override {
    removeLevels.push_back(levels);
    for (auto it = items.begin(); it != items.end(); ++it)
      if (*it == address) {
        items.erase(it);
        return true;
      }
    return false;
  }
  std::vector<std::string> items;
  std::vector<int> removeLevels;
  int selectionClears = 0;
};

}  // namespace vantry::testing

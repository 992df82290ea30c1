#pragma once

#include <string>
#include <vector>

#include "archive/UserPrompt.h"

namespace vantry::testing {

// Records every message and question; answers questions with a fixed reply.
class RecordingPrompt : public archive::UserPrompt {
 public:
  struct Call {
    std::string text;
    std::string title;
    bool operator==(const Call&) const = default;
  };

  explicit RecordingPrompt(bool answer = false) : answer_(answer) {}

  void Tell(const std::string& text, const std::string& title) override {
    told.push_back({text, title});
  }
  bool AskYesNo(const std::string& text, const std::string& title) override {
    asked.push_back({text, title});
    return answer_;
  }

  std::vector<Call> told;
  std::vector<Call> asked;

 private:
  bool answer_;
};

}  // namespace vantry::testing

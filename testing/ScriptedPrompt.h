#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "archive/UserPrompt.h"

namespace vantry::testing {

struct PromptCall {
  std::string text;
  std::string title;
  bool operator==(const PromptCall&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const PromptCall& call) {
  return out << "{\"" << call.text << "\", \"" << call.title << "\"}";
}

// Records what was told and asked; questions take the queued answers, then `fallback`.
class ScriptedPrompt : public archive::UserPrompt {
 public:
  explicit ScriptedPrompt(bool fallback = true) : fallback_(fallback) {}
  void Answer(bool yes) { answers_.push_back(yes); }
  void Tell(const std::string& text, const std::string& title) override { told.push_back({text, title}); }
  bool AskYesNo(const std::string& text, const std::string& title) override {
    asked.push_back({text, title});
    if (answers_.empty()) return fallback_;
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
  }
  std::vector<PromptCall> told;
  std::vector<PromptCall> asked;

 private:
  bool fallback_;
  std::deque<bool> answers_;
};

}  // namespace vantry::testing

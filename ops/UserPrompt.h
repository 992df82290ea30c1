#pragma once

#include <string>

namespace vantry {

// How the commands show a message box or ask a Yes/No question. The window layer answers
// with a modal box of the same text and title; tests script the answers.
// The same contract as the archive's prompt, so one implementation can serve both.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;

  // Shows `text` in a box titled `title` and returns when the user closed it.
  virtual void Tell(const std::string& text, const std::string& title) = 0;

  // Asks a question with Yes and No buttons; returns true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

}  // namespace vantry

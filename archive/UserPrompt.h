#pragma once

#include <string>

namespace vantry::archive {

// The archive's way to show a message box or ask a Yes/No question.
// The window layer implements it with a modal box of the same text and title;
// tests record the calls.
class UserPrompt {
 public:
  virtual ~UserPrompt() = default;

  // Shows `text` in a box titled `title` and returns when the user closed it.
  virtual void Tell(const std::string& text, const std::string& title) = 0;

  // Asks a question with Yes and No buttons; returns true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

}  // namespace vantry::archive

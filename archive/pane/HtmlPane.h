#pragma once

#include <string>
#include <string_view>

#include "cache/services/CurrentEntry.h"

namespace vantry::archive {

// The five text sizes of the pane, smallest first.
enum class FontSize { Smallest = 0, Smaller = 1, Medium = 2, Larger = 3, Largest = 4 };

// What the frame asks of the HTML pane; the frame knows the pane only through this.
class HtmlPane {
 public:
  virtual ~HtmlPane() = default;
  // Shows the entry again: its cached file when `localView` is on, else its address; a
  // blank page when it has none. Before the pane's first navigation it only takes over the
  // quiet flag.
  virtual void ShowEntry(const cache::CurrentEntry& entry, bool localView) = 0;
  // Shows a page by address or local path (the index page, the help page).
  virtual void ShowAddress(std::string_view address) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void SetFontSize(FontSize size) = 0;
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
  // Asks for a text and finds it in the shown page.
  virtual void FindInPage() = 0;
  // Asks for a file name and saves the shown page there.
  virtual void SaveRawAs() = 0;
  virtual void Print() = 0;
  // Asks for a file and shows it.
  virtual void OpenFile() = 0;
  // Quiet: the page may show no dialogs of its own. Returns the new state.
  virtual bool ToggleQuiet() = 0;
  virtual bool IsQuiet() const = 0;
  // Whether the scripts of the pages shown may run (off unless turned on); the page on show
  // is loaded again with the new choice.
  virtual void SetScriptsEnabled(bool enabled) = 0;
  virtual bool ScriptsEnabled() const = 0;
};

}  // namespace vantry::archive

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/pane/HtmlPane.h"

namespace vantry::archive {

// The pane's own two flags and what it navigates to, apart from the engine that does it.
class PaneState {
 public:
  bool quiet() const { return quiet_; }
  bool initialised() const { return initialised_; }
  bool ToggleQuiet() { return quiet_ = !quiet_; }

  // The start page in `workingDirectory`; from now on entries are navigated to.
  std::string StartPage(std::string_view workingDirectory);

  // Where showing `entry` goes: nothing before the start page was shown or when the entry
  // has nothing to show in the chosen way.
  std::optional<std::string> TargetForEntry(const cache::CurrentEntry& entry, bool localView) const;

 private:
  bool quiet_ = true;
  bool initialised_ = false;
};

inline constexpr std::string_view kStartPageName = "ebstract.htm";

// Zoom factor of each of the five text sizes.
double ZoomFactorFor(FontSize size);

// The open dialog's filter "Name|*.a;*.b|...||" as a Qt name filter list
// ("Name (*.a *.b);;...").
std::string NameFilterFromPattern(std::string_view pattern);

inline constexpr std::string_view kOpenFilePattern =
    "HTML Files|*.htm;*.html|Text Files|*.txt|GIF Files|*.gif|JPEG Files|*.jpg;*.jpeg|AU Files|*.au|"
    "AIFF Files|*.aif;*.aiff|XBM Files|*.xbm|All Files|*.*||";

}  // namespace vantry::archive

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/pane/HtmlPane.h"

namespace vantry::archive {

// What showing an entry does to the pane.
struct PaneTarget {
  enum class Action {
    Wait,      // nothing yet: the start page has not been shown
    Clear,     // a blank page: the entry has nothing to show in the chosen way
    Navigate,  // to `address`
  };
  Action action = Action::Wait;
  std::string address;
  bool operator==(const PaneTarget&) const = default;
};

// The pane's own two flags and what it navigates to, apart from the engine that does it.
class PaneState {
 public:
  bool quiet() const { return quiet_; }
  bool initialised() const { return initialised_; }
  bool ToggleQuiet() { return quiet_ = !quiet_; }

  // The start page of `workingDirectory`, or the program's own when the folder has none;
  // from now on entries are navigated to.
  std::string StartPage(std::string_view workingDirectory);

  // Where showing `entry` goes, by its local file or by its address.
  PaneTarget TargetForEntry(const cache::CurrentEntry& entry, bool localView) const;

 private:
  bool quiet_ = true;
  bool initialised_ = false;
};

inline constexpr std::string_view kStartPageName = "ebstract.htm";
// The start page carried inside the program.
inline constexpr std::string_view kBuiltInStartPage = "qrc:/vantry/ebstract.htm";

// The file name "Save raw as" proposes for the page at `address`: the last segment of its
// path, "index.html" for a folder.
std::string SuggestedSaveName(std::string_view address);

// Zoom factor of each of the five text sizes.
double ZoomFactorFor(FontSize size);

// The open dialog's filter "Name|*.a;*.b|...||" as a Qt name filter list
// ("Name (*.a *.b);;...").
std::string NameFilterFromPattern(std::string_view pattern);

inline constexpr std::string_view kOpenFilePattern =
    "HTML Files|*.htm;*.html|Text Files|*.txt|GIF Files|*.gif|JPEG Files|*.jpg;*.jpeg|AU Files|*.au|"
    "AIFF Files|*.aif;*.aiff|XBM Files|*.xbm|All Files|*.*||";

}  // namespace vantry::archive

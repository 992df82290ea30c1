#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cache/store/CacheStatistics.h"
#include "cache/store/WorkProgress.h"

namespace vantry::cache {

// A list tab as the delete commands reach it after it was last expanded or collapsed.
class ExpandedList {
 public:
  virtual ~ExpandedList() = default;
  // Text of the list's root item as shown ("Cached Url's", "Cached URL's" or "History").
  virtual std::string RootText() const = 0;
  virtual void ClearSelection() = 0;
  // Removes the first item whose text is `address`, searching `levels` levels below
  // the root (1 for the flat lists, 2 for the history tree); false when none has it.
  virtual bool RemoveItem(std::string_view address, int levels) = 0;
};

// What the main frame offers the views and commands, so that none of them needs the
// frame itself.
class FrameServices {
 public:
  virtual ~FrameServices() = default;
  // Text of the status bar's message pane ("Ready" when idle).
  virtual void SetStatusText(std::string_view text) = 0;
  // Creates the status bar's progress bar (range 0 to 50, step 1) on the first call.
  virtual void EnsureProgressBar() = 0;
  // One step; the bar starts again from the beginning when it passes its end.
  virtual void StepProgress() = 0;
  virtual void ResetProgress() = 0;
  // Follows a long piece of work, described by `what`, until the returned progress is
  // destroyed: the user sees it advance once it has run for about a second and may stop it.
  virtual std::unique_ptr<WorkProgress> BeginWork(std::string_view what) = 0;
  // Puts `text` into the address box and appends it to the box's drop-down list.
  virtual void SetAddress(std::string_view text) = 0;
  // Keeps a copy of the record of the last complete walk (read by "Properties").
  virtual void PublishStatistics(const CacheStatistics& statistics) = 0;
  virtual const CacheStatistics& PublishedStatistics() const = 0;
  // Records the list that was last expanded or collapsed; the list outlives the frame's use.
  virtual void RegisterExpandedList(ExpandedList* list) = 0;
  virtual ExpandedList* LastExpandedList() const = 0;
};

}  // namespace vantry::cache

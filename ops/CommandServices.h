#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archive/UserPrompt.h"
#include "cache/services/FrameServices.h"
#include "cache/store/UrlCacheStore.h"

// The outward effects of the cache commands, each behind a small interface so that the
// commands run without a window: the window layer implements these, tests record them.
namespace vantry::ops {

// One settings store (the application settings or the profile file): texts and
// integers under a section and a key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or `fallback` when the key is absent.
  virtual std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const = 0;
  virtual int ReadInt(std::string_view section, std::string_view key, int fallback) const = 0;
  virtual void WriteText(std::string_view section, std::string_view key, std::string_view value) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
};

// The wait cursor shown while a command blocks the window.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void Show() = 0;
  // Back to the arrow.
  virtual void Restore() = 0;
};

// The three list tabs as the delete commands reach them: each throws its items away
// so that its next expansion shows the store's new state.
class ListResets {
 public:
  virtual ~ListResets() = default;
  virtual void ResetAlphaSort() = 0;
  virtual void ResetAccessSort() = 0;
  virtual void ResetHistory() = 0;
};

// AlphaSort, AccessSort, then History.
void ResetThreeLists(ListResets& lists);

// A page of the output bar: it is emptied, filled with the lines in order and brought
// to the front.
class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void ShowLines(const std::vector<std::string>& lines) = 0;
};

// The entry last selected in any tab, as the commands act on it.
struct EntrySelection {
  std::string address;
  std::string localFileName;
};

// The guard of the commands that need a selected entry: tells "Nothing to copy!" when
// the address or the local file name is empty.
bool HasSelection(const EntrySelection& selection, archive::UserPrompt& prompt);

// Everything the cache commands share; the references outlive the command.
struct CommandContext {
  cache::UrlCacheStore& store;
  cache::FrameServices& frame;
  archive::UserPrompt& prompt;
  BusyCursor& cursor;
};

}  // namespace vantry::ops

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cache/store/CacheEntry.h"
#include "cache/store/WorkProgress.h"
#include "dates/CalendarDate.h"
#include "ops/CommandDialogs.h"
#include "ops/CommandServices.h"
#include "ops/TextSearch.h"

// The commands of the find drop-down.
namespace vantry::ops {

// Date modes of the search request.
inline constexpr int kRequestNone = 0;
inline constexpr int kRequestEverything = 0x80;
inline constexpr int kRequestSubstring = 0x10;
inline constexpr int kRequestBefore = 0x100;
inline constexpr int kRequestLaterThan = 0x200;
inline constexpr int kRequestExactlyAt = 0x400;
inline constexpr int kRequestBetween = 0x800;

// An address typed into "Find files" instead of a request: it is shown as when an entry
// is selected. For an "http:" address its entry (when the store has one) and its cookie
// text (nothing: the hex view is cleared) come along.
struct OpenedAddress {
  std::string address;
  bool isHttp = false;
  std::optional<cache::CacheEntry> entry;
  std::optional<std::string> cookieText;
};

// The process-wide search request, the "Show:" mask and the AlphaSort list, as
// "Find file(s) in Cache" changes them.
class FindTarget {
 public:
  virtual ~FindTarget() = default;
  // Sets the request's mode; the texts and dates keep their values.
  virtual void SetRequestMode(int mode) = 0;
  virtual void RequestSubstring(std::string_view text) = 0;
  // A text holding "*": parsed by the address box's request rules.
  virtual void RequestWildcard(std::string_view text) = 0;
  // Modes before, later than and exactly at.
  virtual void RequestDate(int mode, const dates::CalendarDate& date) = 0;
  virtual void RequestDateRange(const dates::CalendarDate& from, const dates::CalendarDate& to) = 0;
  virtual void SetShowMask(uint32_t mask) = 0;
  // Makes the address the current entry and the address box text, and shows it (and
  // the entry's lines and cookies, when given) as a selection does.
  virtual void ShowOpenedAddress(const OpenedAddress& opened) = 0;
  // Empties the AlphaSort list, marks that Find has run, and expands it again.
  virtual void ExpandForFind() = 0;
};

// The searches of local copies, kept in the archive files.
class LocalCopySearch {
 public:
  virtual ~LocalCopySearch() = default;
  // The full text of every page listed in the copy records, advancing `work` once per page;
  // false when the user stopped it.
  virtual bool SearchCopiedPages(const TextQuery& query, std::vector<std::string>& results,
                                 cache::WorkProgress& work) = 0;
  // The address fields (addressMode) or the comment fields of the history records.
  virtual void SearchHistoryFields(const TextQuery& query, bool addressMode, std::vector<std::string>& results) = 0;
};

// How the name field of "Find files" is read.
enum class NameFieldKind { Everything, Substring, Wildcard, AddressToOpen };
NameFieldKind ClassifyNameField(std::string_view text);

// "Find file(s) in Cache". `appSettings` holds "WhatFind" and "Date_Format".
void FindFilesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& appSettings, FindTarget& target);

// "Find text in files": the cache's HTML files, copied pages and the history records'
// fields; the hits go to the "Find in Files" page.
void FindTextCommand(CommandContext& context, CommandDialogs& dialogs, LocalCopySearch& localCopies,
                     LineSink& findResultsPage);

}  // namespace vantry::ops

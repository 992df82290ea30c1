#include "ops/FindCommands.h"

#include <memory>

#include "cache/store/CacheAccess.h"
#include "ops/SettingKeys.h"

namespace vantry::ops {
namespace {

constexpr std::string_view kSearchStopped = "Search stopped: the hits found so far are shown";

OpenedAddress OpenAddress(cache::UrlCacheStore& store, std::string_view address) {
  OpenedAddress opened{std::string(address), address.starts_with("http:"), std::nullopt, std::nullopt};
  if (opened.isHttp) {
    opened.entry = cache::LookupEntry(store, address);
    opened.cookieText = cache::GetCookieText(store, address);
  }
  return opened;
}

void RequestByName(CommandContext& context, FindTarget& target, std::string_view name) {
  switch (ClassifyNameField(name)) {
    case NameFieldKind::Everything:
      target.SetRequestMode(kRequestEverything);
      break;
    case NameFieldKind::Substring:
      target.RequestSubstring(name);
      break;
    case NameFieldKind::Wildcard:
      target.RequestWildcard(name);
      break;
    case NameFieldKind::AddressToOpen:
      target.ShowOpenedAddress(OpenAddress(context.store, name));
      target.SetRequestMode(kRequestNone);
      break;
  }
}

// False when no range was chosen.
bool RequestByDate(const FindFilesChoice& choice, FindTarget& target) {
  const int formatCode = choice.dateFormat + 1;
  const dates::CalendarDate date(choice.date, formatCode);
  if (choice.before) {
    target.RequestDate(kRequestBefore, date);
  } else if (choice.laterThan) {
    target.RequestDate(kRequestLaterThan, date);
  } else if (choice.exactlyAt) {
    target.RequestDate(kRequestExactlyAt, date);
  } else if (choice.between) {
    target.RequestDateRange(date, dates::CalendarDate(choice.toDate, formatCode));
  } else {
    return false;
  }
  return true;
}

}  // namespace

NameFieldKind ClassifyNameField(std::string_view text) {
  if (text.empty()) return NameFieldKind::Everything;
  if (text.find('*') != std::string_view::npos) return NameFieldKind::Wildcard;
  // A leading "/" is a local path, as a drive letter would be elsewhere.
  if (text.starts_with("http:") || text.starts_with("ftp:") || text.starts_with('/'))
    return NameFieldKind::AddressToOpen;
  return NameFieldKind::Substring;
}

void FindFilesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& appSettings,
                      FindTarget& target) {
  target.SetRequestMode(kRequestNone);
  FindFilesChoice choice;
  choice.showMask = static_cast<uint32_t>(Read(appSettings, kWhatFind));
  choice.dateFormat = Read(appSettings, kDateFormat);
  if (!dialogs.RunFindFiles(choice)) return;
  target.SetShowMask(choice.showMask);
  Write(appSettings, kWhatFind, static_cast<int>(choice.showMask));
  if (choice.byName) {
    RequestByName(context, target, choice.name);
  } else if (choice.byDate && !RequestByDate(choice, target)) {
    context.prompt.Tell("You must specify time range", "Error !");
    return;
  }
  target.ExpandForFind();
}

void FindTextCommand(CommandContext& context, CommandDialogs& dialogs, LocalCopySearch& localCopies,
                     LineSink& findResultsPage) {
  SearchTextChoice choice;
  if (!dialogs.RunSearchText(choice)) return;
  const TextQuery query{choice.text, choice.caseSensitive};
  std::vector<std::string> results;
  bool stopped = false;
  if (choice.searchLocalCopies) {
    const std::unique_ptr<cache::WorkProgress> work = context.frame.BeginWork("Searching the copied pages");
    stopped = !localCopies.SearchCopiedPages(query, results, *work);
    if (stopped) context.frame.SetStatusText(kSearchStopped);
  }
  if (choice.searchCache && !stopped) {
    context.cursor.Show();
    context.frame.SetStatusText("Wait! Searching Cache");
    context.frame.EnsureProgressBar();
    stopped =
        !CacheTextSearch(context.store.ContentFolder().string(), "*.*", query, results, context.frame, context.prompt);
    context.frame.ResetProgress();
    context.frame.SetStatusText(stopped ? kSearchStopped : "Ready");
    context.cursor.Restore();
  }
  // A stopped search shows what it found so far and searches nothing more.
  if (choice.searchAddressFields && !stopped) localCopies.SearchHistoryFields(query, true, results);
  if (choice.searchCommentFields && !stopped) localCopies.SearchHistoryFields(query, false, results);
  if (choice.searchLocalCopies || choice.searchCache || choice.searchAddressFields || choice.searchCommentFields)
    findResultsPage.ShowLines(results);
  else
    context.prompt.Tell("You must at least specify one selection!", "Nothing to do!");
}

}  // namespace vantry::ops

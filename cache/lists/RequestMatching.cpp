#include "cache/lists/RequestMatching.h"

#include <tuple>

#include "dates/FileTime.h"

namespace vantry::cache {

namespace {

constexpr size_t kLongestName = 253;

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

using YearMonthDay = std::tuple<int, int, int>;

YearMonthDay DateOf(const dates::CalendarDate& date) { return {date.Year(), date.Month(), date.Day()}; }

}  // namespace

std::optional<UrlNameParts> SplitUrlName(std::string_view url) {
  size_t dot = url.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  size_t backslash = url.rfind('\\');
  size_t separator = backslash != std::string_view::npos ? backslash : url.rfind('/');
  if (separator != std::string_view::npos && separator > dot) return std::nullopt;
  size_t nameStart = url.substr(0, dot).find_last_of("/\\");
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  UrlNameParts parts;
  parts.extension = url.substr(dot);
  if (dot + 1 - nameStart <= kLongestName) parts.name = url.substr(nameStart, dot + 1 - nameStart);
  return parts;
}

bool MatchesWildcardRequest(const SearchRequest& request, std::string_view url) {
  std::optional<UrlNameParts> parts = SplitUrlName(url);
  if (!parts) return false;
  bool byName = request.mode & SearchRequest::kNamePattern;
  if (request.mode & SearchRequest::kExtensionPattern) {
    return Contains(parts->extension, request.extensionPattern) &&
           (!byName || Contains(parts->name, request.namePattern));
  }
  return byName && Contains(parts->name, request.namePattern);
}

bool MatchesDateRequest(const SearchRequest& request, FileTime lastSyncTime) {
  dates::CalendarFields local = dates::FileTimeToLocalFields(lastSyncTime);
  YearMonthDay entry{local.year, local.month, local.day};
  switch (request.mode) {
    case SearchRequest::kDateBefore:
      return entry <= DateOf(request.searchDate);
    case SearchRequest::kDateLater:
      return entry >= DateOf(request.searchDate);
    case SearchRequest::kDateExactly:
      return entry == DateOf(request.searchDate);
    case SearchRequest::kDateBetween:
      return DateOf(request.fromDate) <= entry && entry <= DateOf(request.toDate);
    default:
      return false;
  }
}

bool MatchesRequest(const SearchRequest& request, const CacheEntry& entry) {
  switch (request.mode) {
    case SearchRequest::kNone:
    case SearchRequest::kEverything:
      return true;
    case SearchRequest::kSubstring:
      return Contains(entry.sourceUrl, request.substring);
    case SearchRequest::kDateBefore:
    case SearchRequest::kDateLater:
    case SearchRequest::kDateExactly:
    case SearchRequest::kDateBetween:
      return MatchesDateRequest(request, entry.lastSyncTime);
    default:
      return MatchesWildcardRequest(request, entry.sourceUrl);
  }
}

}  // namespace vantry::cache

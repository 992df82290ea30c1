#include "archive/SiteTreeCopy.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "archive/CanonicalUrl.h"
#include "archive/ChangeLog.h"
#include "archive/CopyRecords.h"
#include "archive/DestinationTree.h"
#include "archive/DocumentKind.h"
#include "archive/EarlierCopies.h"
#include "archive/HistoryFile.h"
#include "archive/IndexPage.h"
#include "archive/TreeCopyPlan.h"
#include "archive/TreeCopyWriter.h"
#include "cache/store/CacheAccess.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kNoDepthYet = 65000;

// Every cached file whose address mentions the host goes into the plan if it is the host's;
// returns the others.
std::vector<std::string> PlanHostEntries(cache::UrlCacheStore& store, const std::string& host, TreeCopyPlan& plan) {
  std::vector<std::string> others;
  std::unordered_set<std::string> seen;
  cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    if ((entry.entryType & (cache::COOKIE_CACHE_ENTRY | cache::URLHISTORY_CACHE_ENTRY)) != 0) return;
    if (entry.sourceUrl.find(host) == std::string::npos || !seen.insert(entry.sourceUrl).second) return;
    std::optional<UrlParts> parts = ParseUrl(entry.sourceUrl);
    if (!parts || !text::EqualsNoCase(parts->server, host)) {
      others.push_back(std::move(entry.sourceUrl));
      return;
    }
    const bool hasHeaders = entry.headerInfoSize() != 0;
    std::string contentType = StoredContentType(entry);
    plan.AddHostEntry(std::move(entry.sourceUrl), std::move(*parts),
                      hasHeaders ? std::move(entry.localFileName) : std::string("None"), std::move(contentType));
  });
  plan.NameHostEntries();
  return others;
}

bool IsSameServer(const UrlParts& a, const UrlParts& b) {
  return a.scheme == b.scheme && text::EqualsNoCase(a.server, b.server) && a.port == b.port;
}

bool IsRootPage(const PlannedFile& file) { return file.folderPage && file.parts.object == "/"; }

// The page that stands for the copy in the index page: the selected server's root page, else
// its shallowest HTML page (an "index" or "default" page winning among equals), else that of
// any server of the host.
struct TopPage {
  std::string url;
  std::string path;
  std::size_t depth = kNoDepthYet;
  bool root = false;

  void Consider(const PlannedFile& file, const std::string& localPath) {
    if (root) return;
    if (IsRootPage(file)) {
      *this = {file.url, localPath, 0, true};
      return;
    }
    const std::string lowerPath = text::ToLowerAscii(localPath);
    const std::size_t lastDot = lowerPath.rfind('.');
    if (lastDot == std::string::npos || lowerPath.find("htm", lastDot) == std::string::npos) return;
    const std::string_view firstPart = std::string_view(localPath).substr(0, 255);
    const auto depthHere = static_cast<std::size_t>(std::count(firstPart.begin(), firstPart.end(), '/'));
    const std::size_t nameArea = lastDot >= 10 ? lastDot - 10 : 0;
    const bool preferred = lowerPath.find("index", nameArea) != std::string::npos ||
                           lowerPath.find("default", nameArea) != std::string::npos;
    if (depthHere < depth || (depthHere == depth && preferred)) {
      url = file.url;
      path = localPath;
      depth = depthHere;
    }
  }
  bool found() const { return depth != kNoDepthYet; }
};

// Folder pages (the root excepted) are recorded in change.log, so that later copies into the
// same destination can still point at them.
void RecordFolderPages(const ArchivePaths& paths, const std::string& host, const TreeCopyPlan& plan,
                       UserPrompt& prompt) {
  for (const PlannedFile& file : plan.files()) {
    if (!file.folderPage || IsRootPage(file) || file.parts.object.find('?') != std::string::npos) continue;
    AppendChangeLogRecord(paths, {host, file.parts.object, file.path}, prompt);
  }
}

void TellFolderFailed(const std::string& folder, UserPrompt& prompt) {
  prompt.Tell(folder, "unable to create dir");
  prompt.Tell("Unable to create directory?", "Enum");
}

// Entries of a move leave the cache only after their files have been written.
void RemoveFromCache(cache::UrlCacheStore& store, const std::vector<std::string>& urls, UserPrompt& prompt) {
  for (const std::string& url : urls) {
    if (store.DeleteEntry(url) != cache::STORE_OK) prompt.Tell("Can't delete file", url);
  }
}

}  // namespace

CopyReport CopySiteTree(cache::UrlCacheStore& store, const ArchivePaths& paths, const SiteTreeCopy& copy,
                        UserPrompt& prompt) {
  CopyReport report;
  const std::optional<UrlParts> page = ParseUrl(copy.url);
  if (!page || page->server.empty()) {
    report.brokenOff = true;
    return report;
  }
  // Cache keys hold host names in lower case, as browsers write them.
  const std::string host = text::ToLowerAscii(page->server);
  const std::vector<ReplacementPair> recorded = LoadChangeLogPairs(paths, host, prompt);
  if (copy.newFolder && (copy.flags & kCommentConfirmed) != 0) {
    WriteHistoryRecord(paths, page->server, copy.destination, copy.flags, copy.comment, prompt);
  }
  DestinationTree tree(copy.destination);
  if (!tree.ok()) {
    TellFolderFailed(copy.destination, prompt);
    report.brokenOff = true;
    return report;
  }
  TreeCopyPlan plan;
  const std::vector<std::string> others = PlanHostEntries(store, host, plan);
  EarlierCopies earlier(copy.destination, plan, recorded);
  TreeCopyWriter writer(store, tree, plan, earlier);
  RecordFolderPages(paths, host, plan, prompt);

  TopPage top;
  TopPage topOfAnyServer;
  std::vector<CopyRecord> records;
  std::vector<std::string> moved;
  const auto finish = [&] {
    // Entries of other servers that mention the host are named unless a page brought them along.
    for (const std::string& url : others) {
      const std::optional<std::string> canonical = CanonicalUrl(url);
      if (!canonical || plan.Find(*canonical) == nullptr) prompt.Tell(url, "External references not copied!");
    }
    if ((copy.flags & kCommentConfirmed) != 0) AppendCopyRecords(paths, records, prompt);
    RemoveFromCache(store, moved, prompt);
    return report;
  };
  // Writes one file of the plan; false when the copy is to be broken off.
  const auto write = [&](std::size_t index) {
    const PlannedFile file = plan.files()[index];
    std::string failedFolder;
    const std::string localPath = copy.destination + "/" + file.path;
    const TreeCopyWriter::Outcome outcome = writer.Write(file, failedFolder);
    if (outcome == TreeCopyWriter::Outcome::kFolderFailed) {
      TellFolderFailed(failedFolder, prompt);
      return false;
    }
    const bool written = outcome == TreeCopyWriter::Outcome::kWritten;
    if (written) {
      report.copied.push_back({file.url, localPath});
    } else {
      report.notCopied.push_back(file.url);
      if (prompt.AskYesNo("Error writing file! Break write loop?", "Copy file function")) return false;
    }
    if (file.ofHost) {
      (IsSameServer(file.parts, *page) ? top : topOfAnyServer).Consider(file, localPath);
      if (written && (copy.flags & kRemoveCopiedEntries) != 0) moved.push_back(file.url);
    }
    records.push_back({file.url, localPath, "cprx"});
    return true;
  };

  for (std::size_t i = 0, hosts = plan.files().size(); i < hosts; ++i) {
    if (!write(i)) {
      report.brokenOff = true;
      return finish();
    }
  }
  while (const std::optional<std::size_t> next = writer.NextFound()) {
    if (!write(*next)) {
      report.brokenOff = true;
      return finish();
    }
  }
  const TopPage& chosen = top.found() ? top : topOfAnyServer;
  if (chosen.found()) WriteIndexEntry(paths, chosen.url, chosen.path, copy.comment, prompt);
  return finish();
}

}  // namespace vantry::archive

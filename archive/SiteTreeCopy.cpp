#include "archive/SiteTreeCopy.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "archive/ChangeLog.h"
#include "archive/CopyNames.h"
#include "archive/CopyRecords.h"
#include "archive/DirectoryChain.h"
#include "archive/HistoryFile.h"
#include "archive/IndexPage.h"
#include "archive/LinkTranslation.h"
#include "archive/ReferenceList.h"
#include "archive/TreeCopyPages.h"
#include "archive/UrlParts.h"
#include "cache/store/CacheAccess.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kNoDepthYet = 65000;

// A cached file of the server: its address and local file ("None" without stored headers).
struct ServerEntries {
  ReferenceList urls{ReferenceList::kUnbounded, ReferenceFilter::kNone};
  std::unordered_map<std::string, std::string> localFiles;
};

ServerEntries CollectServerEntries(cache::UrlCacheStore& store, const std::string& server) {
  ServerEntries entries;
  cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    if ((entry.entryType & (cache::COOKIE_CACHE_ENTRY | cache::URLHISTORY_CACHE_ENTRY)) != 0) return;
    if (entry.sourceUrl.find(server) == std::string::npos) return;
    if (entries.urls.Add(entry.sourceUrl)) {
      entries.localFiles[entry.sourceUrl] = entry.headerInfoSize() != 0 ? entry.localFileName : std::string("None");
    }
  });
  return entries;
}

// The page that stands for the copy in the index page when the server root is not cached:
// the shallowest HTML page, an "index" or "default" page winning among equals.
struct TopPage {
  std::string url;
  std::string path;
  std::size_t depth = kNoDepthYet;

  void Consider(const std::string& candidateUrl, const std::string& localPath, const std::string& lowerPath,
                std::size_t lastDot) {
    const std::string_view firstPart = std::string_view(localPath).substr(0, 255);
    const auto depthHere = static_cast<std::size_t>(
        std::count_if(firstPart.begin(), firstPart.end(), [](char c) { return c == '/' || c == '\\'; }));
    const std::size_t nameArea = lastDot >= 10 ? lastDot - 10 : 0;
    const bool preferred = lowerPath.find("index", nameArea) != std::string::npos ||
                           lowerPath.find("default", nameArea) != std::string::npos;
    if (depthHere < depth || (depthHere == depth && preferred)) {
      url = candidateUrl;
      path = localPath;
      depth = depthHere;
    }
  }
};

bool CopyOverwriting(const std::string& from, const std::string& to) {
  std::error_code error;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
}

// Entries of a move leave the cache only after their pages have been written from their
// cached files.
void RemoveFromCache(cache::UrlCacheStore& store, const std::vector<std::string>& urls, UserPrompt& prompt) {
  for (const std::string& url : urls) {
    if (store.DeleteEntry(url) != cache::STORE_OK) prompt.Tell("Can't delete file", url);
  }
}

}  // namespace

TreeCopyOutcome CopySiteTree(cache::UrlCacheStore& store, const ArchivePaths& paths, const SiteTreeCopy& copy,
                             UserPrompt& prompt, cache::WorkProgress& work) {
  const std::optional<UrlParts> page = ParseUrl(copy.url);
  if (!page || page->server.empty()) return {TreeCopyResult::kBrokenOff};
  const std::string& server = page->server;
  const std::string& destination = copy.destination;

  LinkTranslation translation;
  for (ReplacementPair& pair : LoadChangeLogPairs(paths, server, prompt)) {
    translation.Add(std::move(pair.search), std::move(pair.replacement));
  }
  if (copy.newFolder && (copy.flags & kCommentConfirmed) != 0) {
    WriteHistoryRecord(paths, server, destination, copy.flags, copy.comment, prompt);
  }
  const ServerEntries entries = CollectServerEntries(store, server);

  bool rootPageSeen = false;
  bool folderPageSeen = false;
  TopPage top;
  TreeCopyPages pages;
  std::vector<std::string> moved;
  std::unordered_set<std::string> foldersMade;
  std::size_t filesCopied = 0;
  // Broken off: what was copied stays, untranslated.
  const auto breakOff = [&] {
    pages.WriteUnchanged();
    RemoveFromCache(store, moved, prompt);
    return TreeCopyOutcome{TreeCopyResult::kBrokenOff, filesCopied};
  };
  const std::vector<std::string>& urls = entries.urls.Entries();
  for (std::size_t index = 0; index < urls.size(); ++index) {
    if (!work.Advance(index, urls.size())) return breakOff();
    const std::string& url = urls[index];
    const std::optional<UrlParts> parts = ParseUrl(url);
    if (!parts || parts->server != server) {
      prompt.Tell(url, "External references not copied!");
      continue;
    }
    const std::string& object = parts->object;
    const std::size_t lastSlash = object.rfind('/');
    const std::string folderPrefix = object.substr(0, lastSlash + 1);
    const std::string rawName = object.substr(lastSlash + 1);
    const std::string name = HtmlExtension(LegalName(rawName));
    const std::string folders =
        ToBackslashes(SafeRelativeFolder(LegalName(lastSlash > 0 ? object.substr(1, lastSlash - 1) : "")));

    if (!foldersMade.contains(folders)) {
      if (!MakeDirectoryChain(folders, destination, prompt)) {
        prompt.Tell("Unable to create directory?", "Enum");
        return breakOff();
      }
      foldersMade.insert(folders);
    }

    std::string localPath;
    const bool folderPage = name.empty() && !folders.empty();
    if (!name.empty()) {
      localPath = destination + "/" + folders + (folders.empty() ? "" : "/") + SafeFileName(name);
    } else if (folders.empty()) {
      localPath = destination + "/index.html";
      WriteIndexEntry(paths, url, localPath, copy.comment, prompt);
      rootPageSeen = true;
    } else {
      localPath = destination + "/" + folders + ".html";
      const std::string relativeName = folders + ".html";
      translation.Add(folderPrefix, relativeName);
      AppendChangeLogRecord(paths, {server, folderPrefix, relativeName}, prompt);
      folderPageSeen = true;
    }

    const std::string lowerPath = text::ToLowerAscii(localPath);
    const std::size_t lastDot = lowerPath.rfind('.');
    const bool htmlPage = lastDot != std::string::npos && lowerPath.find("htm", lastDot) != std::string::npos;
    if (htmlPage) top.Consider(url, localPath, lowerPath, lastDot);

    // A folder page's own prefix pair only fits relative references; its full address gets a
    // pair of its own so that absolute links to it reach the local file.
    if ((folderPage || !translation.HasSearchText(object)) && object.size() > 2) {
      translation.Add(url, localPath);
      if (rawName != name) translation.Add(rawName, name);
    }

    const std::string& cachedFile = entries.localFiles.at(url);
    const bool copied = htmlPage ? pages.Reserve(cachedFile, localPath) : CopyOverwriting(cachedFile, localPath);
    if (!copied && prompt.AskYesNo("Error writing file! Break write loop?", "Copy file function")) {
      return breakOff();
    }
    if ((copy.flags & kCommentConfirmed) != 0) AppendCopyRecord(paths, url, localPath, "cprx", prompt);
    if ((copy.flags & kRemoveCopiedEntries) != 0 && copied) moved.push_back(url);
    if (copied) ++filesCopied;
  }

  if (!rootPageSeen && top.depth != kNoDepthYet) {
    WriteIndexEntry(paths, top.url, top.path, copy.comment, prompt);
  }
  pages.WriteTranslated(translation, folderPageSeen, destination + "/");
  RemoveFromCache(store, moved, prompt);
  return {TreeCopyResult::kCompleted, filesCopied};
}

}  // namespace vantry::archive

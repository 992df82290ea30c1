#include "archive/SiteTreeCopy.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cache/store/CacheAccess.h"
#include "archive/ChangeLog.h"
#include "archive/CopyNames.h"
#include "archive/CopyRecords.h"
#include "archive/DirectoryChain.h"
#include "archive/HistoryFile.h"
#include "archive/IndexPage.h"
#include "archive/LinkTranslation.h"
#include "archive/ReferenceList.h"
#include "text/AsciiText.h"
#include "archive/TreeCopyPages.h"
#include "archive/UrlParts.h"

namespace vantry::archive {
namespace {

constexpr std::size_t kNoDepthYet = 65000;

// A cached file of the server: its address and local file ("None" without stored headers).
struct ServerEntries {
  ReferenceList urls{ReferenceList::kUnbounded, ReferenceFilter::kNone};
  std::unordered_map<std::string, std::string> local_files;
};

ServerEntries CollectServerEntries(cache::UrlCacheStore& store, const std::string& server) {
  ServerEntries entries;
  cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    if ((entry.entryType & (cache::COOKIE_CACHE_ENTRY | cache::URLHISTORY_CACHE_ENTRY)) != 0) return;
    if (entry.sourceUrl.find(server) == std::string::npos) return;
    if (entries.urls.Add(entry.sourceUrl)) {
      entries.local_files[entry.sourceUrl] =
          entry.headerInfoSize() != 0 ? entry.localFileName : std::string("None");
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

  void Consider(const std::string& candidate_url, const std::string& local_path,
                const std::string& lower_path, std::size_t last_dot) {
    const std::string_view first_part = std::string_view(local_path).substr(0, 255);
    const auto depth_here = static_cast<std::size_t>(std::count_if(
        first_part.begin(), first_part.end(), [](char c) { return c == '/' || c == '\\'; }));
    const std::size_t name_area = last_dot >= 10 ? last_dot - 10 : 0;
    const bool preferred = lower_path.find("index", name_area) != std::string::npos ||
                           lower_path.find("default", name_area) != std::string::npos;
    if (depth_here < depth || (depth_here == depth && preferred)) {
      url = candidate_url;
      path = local_path;
      depth = depth_here;
    }
  }
};

bool CopyOverwriting(const std::string& from, const std::string& to) {
  std::error_code error;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                    error);
}

// Entries of a move leave the cache only after their pages have been written from their
// cached files.
void RemoveFromCache(cache::UrlCacheStore& store, const std::vector<std::string>& urls, UserPrompt& prompt) {
  for (const std::string& url : urls) {
    if (store.DeleteEntry(url) != cache::STORE_OK) prompt.Tell("Can't delete file", url);
  }
}

}  // namespace

TreeCopyResult CopySiteTree(cache::UrlCacheStore& store, const ArchivePaths& paths,
                            const SiteTreeCopy& copy, UserPrompt& prompt) {
  const std::optional<UrlParts> page = ParseUrl(copy.url);
  if (!page || page->server.empty()) return TreeCopyResult::kBrokenOff;
  const std::string& server = page->server;
  const std::string& destination = copy.destination;

  LinkTranslation translation;
  for (ReplacementPair& pair : LoadChangeLogPairs(paths, server, prompt)) {
    translation.Add(std::move(pair.search), std::move(pair.replacement));
  }
  if (copy.new_folder && (copy.flags & kCommentConfirmed) != 0) {
    WriteHistoryRecord(paths, server, destination, static_cast<std::int32_t>(copy.flags),
                       copy.comment, prompt);
  }
  const ServerEntries entries = CollectServerEntries(store, server);

  bool root_page_seen = false;
  bool folder_page_seen = false;
  TopPage top;
  TreeCopyPages pages;
  std::vector<std::string> moved;
  std::unordered_set<std::string> folders_made;
  // Broken off: what was copied stays, untranslated.
  const auto break_off = [&] {
    pages.WriteUnchanged();
    RemoveFromCache(store, moved, prompt);
    return TreeCopyResult::kBrokenOff;
  };
  for (const std::string& url : entries.urls.Entries()) {
    const std::optional<UrlParts> parts = ParseUrl(url);
    if (!parts || parts->server != server) {
      prompt.Tell(url, "External references not copied!");
      continue;
    }
    const std::string& object = parts->object;
    const std::size_t last_slash = object.rfind('/');
    const std::string folder_prefix = object.substr(0, last_slash + 1);
    const std::string raw_name = object.substr(last_slash + 1);
    const std::string name = HtmlExtension(LegalName(raw_name));
    const std::string folders =
        ToBackslashes(SafeRelativeFolder(LegalName(last_slash > 0 ? object.substr(1, last_slash - 1) : "")));

    if (!folders_made.contains(folders)) {
      if (!MakeDirectoryChain(folders, destination, prompt)) {
        prompt.Tell("Unable to create directory?", "Enum");
        return break_off();
      }
      folders_made.insert(folders);
    }

    std::string local_path;
    const bool folder_page = name.empty() && !folders.empty();
    if (!name.empty()) {
      local_path = destination + "/" + folders + (folders.empty() ? "" : "/") + SafeFileName(name);
    } else if (folders.empty()) {
      local_path = destination + "/index.html";
      WriteIndexEntry(paths, url, local_path, copy.comment, prompt);
      root_page_seen = true;
    } else {
      local_path = destination + "/" + folders + ".html";
      const std::string relative_name = folders + ".html";
      translation.Add(folder_prefix, relative_name);
      AppendChangeLogRecord(paths, server, folder_prefix, relative_name, prompt);
      folder_page_seen = true;
    }

    const std::string lower_path = text::ToLowerAscii(local_path);
    const std::size_t last_dot = lower_path.rfind('.');
    const bool html_page =
        last_dot != std::string::npos && lower_path.find("htm", last_dot) != std::string::npos;
    if (html_page) top.Consider(url, local_path, lower_path, last_dot);

    // A folder page's own prefix pair only fits relative references; its full address gets a
    // pair of its own so that absolute links to it reach the local file.
    if ((folder_page || !translation.HasSearchText(object)) && object.size() > 2) {
      translation.Add(url, local_path);
      if (raw_name != name) translation.Add(raw_name, name);
    }

    const std::string& cached_file = entries.local_files.at(url);
    const bool copied = html_page ? pages.Reserve(cached_file, local_path)
                                  : CopyOverwriting(cached_file, local_path);
    if (!copied && prompt.AskYesNo("Error writing file! Break write loop?", "Copy file function")) {
      return break_off();
    }
    if ((copy.flags & kCommentConfirmed) != 0) AppendCopyRecord(paths, url, local_path, "cprx", prompt);
    if ((copy.flags & kRemoveCopiedEntries) != 0 && copied) moved.push_back(url);
  }

  if (!root_page_seen && top.depth != kNoDepthYet) {
    WriteIndexEntry(paths, top.url, top.path, copy.comment, prompt);
  }
  pages.WriteTranslated(translation, folder_page_seen, destination + "/");
  RemoveFromCache(store, moved, prompt);
  return TreeCopyResult::kCompleted;
}

}  // namespace vantry::archive

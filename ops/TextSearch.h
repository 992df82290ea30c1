#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archive/UserPrompt.h"
#include "cache/services/FrameServices.h"
#include "cache/store/UrlCacheStore.h"
#include "ops/SearchedFiles.h"

// Searching the cache's HTML files for a text, and finding a cached file's address again.
namespace vantry::ops {

// Files of this size or more are not searched.
inline constexpr size_t kMaxSearchedFileSize = 1'000'000;
// At most this much of a hit's surroundings goes into its result line.
inline constexpr size_t kMaxHitExcerpt = 200;

struct TextQuery {
  std::string text;
  bool caseSensitive = false;
};

// Finds the query's text in one file's bytes after another, ignoring ASCII case unless the
// query is case-sensitive; keeps its buffer from file to file.
class TextFinder {
 public:
  explicit TextFinder(const TextQuery& query);
  // Where the text first occurs in `content`, or npos.
  size_t Find(std::string_view content);

 private:
  bool caseSensitive_;
  std::string text_;
  std::string lowered_;
};

// The result line of a hit: path + " :   " + the file's text from the hit up to, not
// including, the next ">" (at most 200 characters; nothing when no ">" follows).
std::string HitLine(const std::string& path, std::string_view content, size_t hit);

// Searches the listed files, reading them in the order the disk holds them, and adds at most
// one result line per file, in the order of the list. A file of 1,000,000 bytes or more is told
// ("File too big ! ", the path as title) and skipped, as are files that cannot be read; a folder
// that could not be listed is told ("findfirst failed", its search path as title). `work` hears
// of every file; when its user stops, the lines found so far are added and nothing is told.
// Returns false when stopped.
bool SearchListedFiles(const std::vector<SearchedItem>& items, const TextQuery& query,
                       std::vector<std::string>& results, archive::UserPrompt& prompt, cache::WorkProgress& work);

// Searches one file as SearchListedFiles does, when IsSearchedPath admits it.
void FindTextInFile(const std::string& path, const TextQuery& query, std::vector<std::string>& results,
                    archive::UserPrompt& prompt);

// Lists `folder` as ListSearchedFiles does and searches its files, following the work in the
// frame, where the user may stop it. Returns false when stopped.
bool CacheTextSearch(const std::string& folder, std::string_view pattern, const TextQuery& query,
                     std::vector<std::string>& results, cache::FrameServices& frame, archive::UserPrompt& prompt);

// The address of the entry whose local file name equals `localFileName` ignoring case,
// or an empty text; when the whole cache was walked without a match this is told
// ("URL not found in Cache \n" / "Cache Enumeration").
std::string FindAddressOfLocalFile(cache::UrlCacheStore& store, std::string_view localFileName,
                                   archive::UserPrompt& prompt);

}  // namespace vantry::ops

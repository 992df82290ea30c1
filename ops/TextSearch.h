#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archive/UserPrompt.h"
#include "cache/services/FrameServices.h"
#include "cache/store/UrlCacheStore.h"

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

// The result line of a hit: path + " :   " + the file's text from the hit up to, not
// including, the next ">" (at most 200 characters; nothing when no ">" follows).
std::string HitLine(const std::string& path, std::string_view content, size_t hit);

// Searches one file whose extension (the path from its last ".") begins with ".htm",
// ignoring case; other files, and files that cannot be read, are skipped. A file of
// 1,000,000 bytes or more is told ("File too big ! ", the path as title) and skipped.
// Adds at most one line per file.
void FindTextInFile(const std::string& path, const TextQuery& query, std::vector<std::string>& results,
                    archive::UserPrompt& prompt);

// Runs FindTextInFile on every entry of `folder` matching `pattern`, steps the progress
// bar once, then descends into every sub-folder whose name does not start with ".".
// A folder that cannot be listed is told ("findfirst failed", the search path as title).
void CacheTextSearch(const std::string& folder, std::string_view pattern, const TextQuery& query,
                     std::vector<std::string>& results, cache::FrameServices& frame, archive::UserPrompt& prompt);

// The address of the entry whose local file name equals `localFileName` ignoring case,
// or an empty text; when the whole cache was walked without a match this is told
// ("URL not found in Cache \n" / "Cache Enumeration").
std::string FindAddressOfLocalFile(cache::UrlCacheStore& store, std::string_view localFileName,
                                   archive::UserPrompt& prompt);

}  // namespace vantry::ops

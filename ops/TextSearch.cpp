#include "ops/TextSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cache/store/CacheAccess.h"
#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "ops/WildcardListing.h"
#include "text/AsciiText.h"

namespace vantry::ops {
namespace {

namespace fs = std::filesystem;

bool HasHtmlExtension(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot != std::string_view::npos && text::StartsWithNoCase(path.substr(dot), ".htm");
}

size_t FindText(std::string_view content, const TextQuery& query) {
  if (query.caseSensitive) return content.find(query.text);
  return text::ToLowerAscii(content).find(text::ToLowerAscii(query.text));
}

std::vector<fs::path> SubFolders(const fs::path& folder) {
  std::vector<fs::path> folders;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    // Links to folders are not followed, so a loop of links cannot trap the search.
    if (entry.symlink_status(error).type() == fs::file_type::directory &&
        !entry.path().filename().string().starts_with('.'))
      folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

}  // namespace

std::string HitLine(const std::string& path, std::string_view content, size_t hit) {
  std::string line = path + " :   ";
  const size_t close = content.find('>', hit);
  if (close == std::string_view::npos) return line;
  std::string_view excerpt = content.substr(hit, std::min(close - hit, kMaxHitExcerpt));
  line += excerpt.substr(0, excerpt.find('\0'));
  return line;
}

void FindTextInFile(const std::string& path, const TextQuery& query, std::vector<std::string>& results,
                    archive::UserPrompt& prompt) {
  if (!HasHtmlExtension(path)) return;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return;
  const uintmax_t size = fs::file_size(path, error);
  if (error) return;
  if (size >= kMaxSearchedFileSize) {
    prompt.Tell("File too big ! ", path);
    return;
  }
  std::optional<std::string> content = files::ReadWholeFile(path);
  if (!content) return;
  const size_t hit = FindText(*content, query);
  if (hit != std::string::npos) results.push_back(HitLine(path, *content, hit));
}

void CacheTextSearch(const std::string& folder, std::string_view pattern, const TextQuery& query,
                     std::vector<std::string>& results, cache::FrameServices& frame, archive::UserPrompt& prompt) {
  const std::string folderPath = folder + "/";
  std::optional<std::vector<fs::path>> names = TryListMatching(folder, pattern);
  if (!names) {
    prompt.Tell("findfirst failed", folderPath + std::string(pattern));
    return;
  }
  for (const fs::path& name : *names) FindTextInFile(folderPath + name.filename().string(), query, results, prompt);
  frame.StepProgress();
  for (const fs::path& sub : SubFolders(folder))
    CacheTextSearch(folderPath + sub.filename().string(), pattern, query, results, frame, prompt);
}

std::string FindAddressOfLocalFile(cache::UrlCacheStore& store, std::string_view localFileName,
                                   archive::UserPrompt& prompt) {
  const std::string wanted = text::ToLowerAscii(localFileName);
  std::string address;
  bool found = false;
  const cache::WalkResult result = cache::WalkCache(store, "", [&](cache::CacheEntry& entry) {
    // Entries without a file (history records) never answer for a file name.
    if (found || entry.localFileName.empty() || text::ToLowerAscii(entry.localFileName) != wanted) return;
    found = true;
    address = entry.sourceUrl;
  });
  if (!found && result == cache::WalkResult::Normal) prompt.Tell("URL not found in Cache \n", "Cache Enumeration");
  return address;
}

}  // namespace vantry::ops

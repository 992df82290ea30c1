#include "ops/TextSearch.h"

#include <string.h>

#include <algorithm>
#include <optional>

#include "cache/store/CacheAccess.h"
#include "files/FilesInDiskOrder.h"
#include "text/AsciiText.h"

namespace vantry::ops {

namespace {

size_t FindBytes(std::string_view content, std::string_view text) {
  const void* hit = ::memmem(content.data(), content.size(), text.data(), text.size());
  return hit == nullptr ? std::string_view::npos : static_cast<size_t>(static_cast<const char*>(hit) - content.data());
}

// ASCII lower case of `size` bytes, in blocks of a fixed length that the compiler turns
// into vector instructions: the search lowers every byte it reads.
void LowerInto(const char* __restrict in, size_t size, char* __restrict out) {
  constexpr size_t kBlock = 32;
  size_t at = 0;
  for (; at + kBlock <= size; at += kBlock) {
    for (size_t i = 0; i < kBlock; ++i) out[at + i] = text::LowerAscii(in[at + i]);
  }
  for (; at < size; ++at) out[at] = text::LowerAscii(in[at]);
}

// What the search found in one listed file.
struct FileFinding {
  std::optional<std::string> line;
  bool tooBig = false;
};

}  // namespace

TextFinder::TextFinder(const TextQuery& query)
    : caseSensitive_(query.caseSensitive), text_(query.caseSensitive ? query.text : text::ToLowerAscii(query.text)) {}

size_t TextFinder::Find(std::string_view content) {
  if (caseSensitive_) return FindBytes(content, text_);
  lowered_.resize(content.size());
  LowerInto(content.data(), content.size(), lowered_.data());
  return FindBytes(lowered_, text_);
}

std::string HitLine(const std::string& path, std::string_view content, size_t hit) {
  std::string line = path + " :   ";
  const size_t close = content.find('>', hit);
  if (close == std::string_view::npos) return line;
  std::string_view excerpt = content.substr(hit, std::min(close - hit, kMaxHitExcerpt));
  line += excerpt.substr(0, excerpt.find('\0'));
  return line;
}

bool SearchListedFiles(const std::vector<SearchedItem>& items, const TextQuery& query,
                       std::vector<std::string>& results, archive::UserPrompt& prompt, cache::WorkProgress& work) {
  std::vector<std::string> paths;
  for (const SearchedItem& item : items) {
    if (item.kind == SearchedItem::Kind::kFile) paths.push_back(item.path);
  }
  std::vector<FileFinding> findings(paths.size());
  TextFinder finder(query);
  uint64_t done = 0;
  const bool completed = files::ReadFilesInDiskOrder(paths, kMaxSearchedFileSize, [&](const files::BatchFile& file) {
    FileFinding& finding = findings[file.index];
    finding.tooBig = file.state == files::BatchFile::State::kTooBig;
    if (file.state == files::BatchFile::State::kRead) {
      const size_t hit = finder.Find(file.bytes);
      if (hit != std::string_view::npos) finding.line = HitLine(paths[file.index], file.bytes, hit);
    }
    return work.Advance(++done, paths.size());
  });
  // The files were read in the disk's order; lines and messages follow the listing's.
  size_t file = 0;
  for (const SearchedItem& item : items) {
    if (item.kind == SearchedItem::Kind::kUnlistableFolder) {
      if (completed) prompt.Tell("findfirst failed", item.path);
      continue;
    }
    FileFinding& finding = findings[file++];
    if (finding.tooBig && completed) prompt.Tell("File too big ! ", item.path);
    if (finding.line) results.push_back(std::move(*finding.line));
  }
  return completed;
}

void FindTextInFile(const std::string& path, const TextQuery& query, std::vector<std::string>& results,
                    archive::UserPrompt& prompt) {
  if (!IsSearchedPath(path)) return;
  cache::UnwatchedWork unwatched;
  SearchListedFiles({{SearchedItem::Kind::kFile, path}}, query, results, prompt, unwatched);
}

bool CacheTextSearch(const std::string& folder, std::string_view pattern, const TextQuery& query,
                     std::vector<std::string>& results, cache::FrameServices& frame, archive::UserPrompt& prompt) {
  std::unique_ptr<cache::WorkProgress> work = frame.BeginWork("Searching the cached files");
  std::vector<SearchedItem> items;
  ListSearchedFiles(folder, pattern, items, frame);
  return SearchListedFiles(items, query, results, prompt, *work);
}

std::string FindAddressOfLocalFile(cache::UrlCacheStore& store, std::string_view localFileName,
                                   archive::UserPrompt& prompt) {
  const std::string wanted = text::ToLowerAscii(localFileName);
  std::string address;
  const cache::WalkResult result = cache::WalkCacheUntil(store, "", [&](cache::CacheEntry& entry) {
    // Entries without a file (history records) never answer for a file name.
    if (entry.localFileName.empty() || !text::EqualsNoCase(entry.localFileName, wanted)) return true;
    address = entry.sourceUrl;
    return false;
  });
  if (result == cache::WalkResult::Normal) prompt.Tell("URL not found in Cache \n", "Cache Enumeration");
  return address;
}

}  // namespace vantry::ops

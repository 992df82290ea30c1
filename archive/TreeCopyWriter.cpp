#include "archive/TreeCopyWriter.h"

#include "archive/DocumentKind.h"
#include "archive/PageCharset.h"
#include "cache/store/CacheAccess.h"
#include "files/WholeFile.h"

namespace vantry::archive {

TreeCopyWriter::TreeCopyWriter(cache::UrlCacheStore& store, DestinationTree& tree, TreeCopyPlan& plan,
                               EarlierCopies& earlier)
    : store_(store),
      tree_(tree),
      plan_(plan),
      earlier_(earlier),
      rewriter_([this](std::string_view canonicalUrl, ReferenceRole role) { return Target(canonicalUrl, role); }) {}

TreeCopyWriter::Outcome TreeCopyWriter::Write(const PlannedFile& file, std::string& failedFolder) {
  const std::size_t slash = file.path.rfind('/');
  if (!tree_.MakeFolders(std::string_view(file.path).substr(0, slash), failedFolder)) return Outcome::kFolderFailed;
  const DocumentKind kind = KindOf(file.contentType, file.path);
  if (kind == DocumentKind::kOther) {
    return tree_.CopyFile(file.cachedFile, file.path) ? Outcome::kWritten : Outcome::kFileFailed;
  }
  std::optional<std::string> text = files::ReadWholeFile(file.cachedFile);
  if (!text) return Outcome::kFileFailed;
  const CopiedDocument document{file.url, file.path};
  writingHostFile_ = file.ofHost;
  const std::string rewritten =
      kind == DocumentKind::kPage
          ? KeepStatedCharset(rewriter_.RewriteHtml(std::move(*text), document), file.contentType)
          : rewriter_.RewriteCss(std::move(*text), document);
  return tree_.WriteFile(file.path, rewritten) ? Outcome::kWritten : Outcome::kFileFailed;
}

std::optional<std::size_t> TreeCopyWriter::NextFound() {
  if (found_.empty()) return std::nullopt;
  const std::size_t next = found_.front();
  found_.pop_front();
  return next;
}

const std::string* TreeCopyWriter::Target(std::string_view canonicalUrl, ReferenceRole role) {
  if (const PlannedFile* planned = plan_.Find(canonicalUrl)) return &planned->path;
  // What a page shows comes along from any server; what the host's pages link to, one step.
  const bool wanted = role != ReferenceRole::kLink || writingHostFile_;
  if (wanted && lookedUp_.emplace(canonicalUrl).second) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(store_, canonicalUrl);
    std::optional<UrlParts> parts = ParseUrl(canonicalUrl);
    if (entry && parts && entry->headerInfoSize() != 0) {
      std::string contentType = StoredContentType(*entry);
      const std::size_t added = plan_.AddFromOtherServer(std::move(entry->sourceUrl), std::move(*parts),
                                                         std::move(entry->localFileName), std::move(contentType));
      found_.push_back(added);
      return &plan_.files()[added].path;
    }
  }
  return earlier_.Find(canonicalUrl);
}

}  // namespace vantry::archive

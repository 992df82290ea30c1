#include "archive/SinglePageCopy.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "archive/CanonicalUrl.h"
#include "archive/DestinationTree.h"
#include "archive/DocumentKind.h"
#include "archive/IndexPage.h"
#include "archive/LocalNames.h"
#include "archive/PageCharset.h"
#include "archive/ReferenceRewriter.h"
#include "cache/store/CacheAccess.h"
#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

struct PlannedCopy {
  std::string url;
  std::string cachedFile;
  std::string contentType;
  std::string path;  // below the destination
};

// The files of one single-page copy under their flat names: the page and its frames in the
// destination, what they show in "images/".
class SinglePagePlan {
 public:
  explicit SinglePagePlan(cache::UrlCacheStore& store) : store_(store) {}

  void Add(std::string url, std::string cachedFile, std::string contentType, bool shownInside) {
    std::string name = ComposeName(FlatNameParts(url), contentType);
    const std::string folder = shownInside ? "images/" : "";
    std::string path = folder + name;
    for (int n = 2; taken_.contains(path); ++n) path = folder + NumberedName(name, n);
    taken_.insert(path);
    if (const std::optional<std::string> canonical = CanonicalUrl(url)) byUrl_.emplace(*canonical, files_.size());
    files_.push_back({std::move(url), std::move(cachedFile), std::move(contentType), std::move(path)});
  }

  const std::string* Find(std::string_view canonicalUrl) const {
    const auto found = byUrl_.find(std::string(canonicalUrl));
    return found == byUrl_.end() ? nullptr : &files_[found->second].path;
  }

  // While the documents are read: what they show joins the copy when the cache holds it.
  const std::string* Discover(std::string_view canonicalUrl, ReferenceRole role) {
    if (const std::string* known = Find(canonicalUrl)) return known;
    if (role == ReferenceRole::kLink || !asked_.emplace(canonicalUrl).second) return nullptr;
    const std::optional<cache::CacheEntry> entry = cache::LookupEntry(store_, canonicalUrl);
    if (!entry || entry->headerInfoSize() == 0) return nullptr;
    const std::string contentType = StoredContentType(*entry);
    const bool page = role == ReferenceRole::kFrame && KindOf(contentType, canonicalUrl) == DocumentKind::kPage;
    Add(entry->sourceUrl, entry->localFileName, contentType, !page);
    return &files_.back().path;
  }

  // While the documents are written: a copied file, else for a link the flat name of another
  // cached address.
  const std::string* Target(std::string_view canonicalUrl, ReferenceRole role) {
    if (const std::string* known = Find(canonicalUrl)) return known;
    if (role != ReferenceRole::kLink) return nullptr;
    const auto [link, inserted] = links_.emplace(std::string(canonicalUrl), std::nullopt);
    if (inserted) {
      if (const std::optional<cache::CacheEntry> entry = cache::LookupEntry(store_, canonicalUrl)) {
        link->second = ComposeName(FlatNameParts(canonicalUrl), StoredContentType(*entry));
      }
    }
    return link->second ? &*link->second : nullptr;
  }

  const std::vector<PlannedCopy>& files() const { return files_; }

 private:
  cache::UrlCacheStore& store_;
  std::vector<PlannedCopy> files_;
  std::unordered_map<std::string, std::size_t> byUrl_;
  std::unordered_set<std::string> taken_;
  std::unordered_set<std::string> asked_;
  std::unordered_map<std::string, std::optional<std::string>> links_;
};

std::string ContentTypeOf(cache::UrlCacheStore& store, const std::string& url) {
  const std::optional<cache::CacheEntry> entry = cache::LookupEntry(store, url);
  return entry ? StoredContentType(*entry) : std::string();
}

std::string Rewrite(ReferenceRewriter& rewriter, const PlannedCopy& file, std::string text) {
  const CopiedDocument document{file.url, file.path};
  switch (KindOf(file.contentType, file.path)) {
    case DocumentKind::kPage:
      return KeepStatedCharset(rewriter.RewriteHtml(std::move(text), document), file.contentType);
    case DocumentKind::kStyleSheet:
      return rewriter.RewriteCss(std::move(text), document);
    case DocumentKind::kOther:
      break;
  }
  return text;
}

}  // namespace

std::optional<std::string> LookupLocalFile(cache::UrlCacheStore& store, std::string_view url) {
  return cache::LookupLocalFileName(store, url, "None");
}

CopyReport CopySinglePage(cache::UrlCacheStore& store, const ArchivePaths& paths, const SinglePageCopy& copy,
                          UserPrompt& prompt) {
  CopyReport report;
  SinglePagePlan plan(store);
  plan.Add(copy.url, copy.pageFile, ContentTypeOf(store, copy.url), false);
  const std::string target = copy.destination + "/" + plan.files().front().path;
  const std::optional<std::string> page = files::ReadWholeFile(copy.pageFile);
  if (!page) {
    prompt.Tell("Problem opening the file", "ReadHtml");
    report.notCopied.push_back(copy.url);
    WriteIndexEntry(paths, copy.url, target, copy.comment, prompt);
    return report;
  }
  // Everything the page shows is found first, so that a link to it reaches the copied file.
  ReferenceRewriter discovery([&](std::string_view url, ReferenceRole role) { return plan.Discover(url, role); });
  for (std::size_t i = 0; i < plan.files().size(); ++i) {
    const PlannedCopy file = plan.files()[i];
    if (KindOf(file.contentType, file.path) == DocumentKind::kOther) continue;
    if (const std::optional<std::string> text = i == 0 ? page : files::ReadWholeFile(file.cachedFile)) {
      Rewrite(discovery, file, *text);
    }
  }

  DestinationTree tree(copy.destination);
  ReferenceRewriter rewriter([&](std::string_view url, ReferenceRole role) { return plan.Target(url, role); });
  for (std::size_t i = 0; i < plan.files().size(); ++i) {
    const PlannedCopy& file = plan.files()[i];
    bool written = false;
    if (KindOf(file.contentType, file.path) == DocumentKind::kOther) {
      written = tree.ok() && tree.CopyFile(file.cachedFile, file.path);
    } else if (const std::optional<std::string> text = i == 0 ? page : files::ReadWholeFile(file.cachedFile)) {
      written = tree.ok() && tree.WriteFile(file.path, Rewrite(rewriter, file, *text));
    }
    if (written) {
      report.copied.push_back({file.url, copy.destination + "/" + file.path});
    } else {
      report.notCopied.push_back(file.url);
    }
  }
  WriteIndexEntry(paths, copy.url, target, copy.comment, prompt);
  return report;
}

}  // namespace vantry::archive

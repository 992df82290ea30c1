#include "archive/SinglePageCopy.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "archive/CopyNames.h"
#include "archive/IndexPage.h"
#include "archive/LinkChecker.h"
#include "archive/ReferenceResolution.h"
#include "archive/ReferenceScanner.h"
#include "archive/ReplaceInFile.h"
#include "cache/store/CacheAccess.h"

namespace vantry::archive {
namespace {

bool CopyOverwriting(const std::string& from, const std::string& to) {
  std::error_code error;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
}

}  // namespace

std::string SystemTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

std::optional<std::string> LookupLocalFile(cache::UrlCacheStore& store, std::string_view url) {
  return cache::LookupLocalFileName(store, url, "None");
}

std::size_t CopySinglePage(cache::UrlCacheStore& store, const CopyWorkspace& workspace, const SinglePageCopy& copy,
                           UserPrompt& prompt, cache::WorkProgress& work) {
  std::size_t filesWritten = 0;
  const std::string destination = copy.destination + "/";
  const std::string workingCopy = workspace.tempFolder + "/vantry.tmp";
  // A working copy left by an earlier page must never stand in for this one.
  if (!CopyOverwriting(copy.pageFile, workingCopy)) std::remove(workingCopy.c_str());

  const PageReferences refs = ScanPage(copy.pageFile, prompt);
  LinkChecker checker(prompt, &work);
  const PageFolders folders = FoldersOf(copy.url);
  ::mkdir((destination + "images").c_str(), 0777);

  for (const std::string& image : refs.images.Entries()) {
    const std::string address = ResolveReference(folders, image);
    if (!checker.CheckReference(address)) continue;
    const std::optional<std::string> localFile = LookupLocalFile(store, address);
    if (!localFile) continue;
    const std::string newReference = "images/" + FlatName(address);
    if (CopyOverwriting(*localFile, destination + newReference)) ++filesWritten;
    ReplaceInFile(workingCopy, image, newReference);
  }
  for (const std::string& link : refs.links.Entries()) {
    const std::string address = ResolveReference(folders, link);
    if (checker.CheckReference(address)) ReplaceInFile(workingCopy, link, FlatName(address));
  }

  const std::string pageUrl = copy.url.ends_with('/') ? "Index.html" : copy.url;
  const std::string target = destination + HtmlExtension(FlatName(pageUrl));
  if (CopyOverwriting(workingCopy, target)) ++filesWritten;
  WriteIndexEntry(workspace.archive, pageUrl, target, copy.comment, prompt);
  return filesWritten;
}

}  // namespace vantry::archive

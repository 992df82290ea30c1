#include "ops/CopyBySpecifier.h"

#include <filesystem>
#include <system_error>

#include "cache/store/CacheAccess.h"
#include "ops/ProgressPacer.h"
#include "ops/SpecifierMatch.h"

namespace vantry::ops {
namespace {

bool CopyCachedFile(const cache::CacheEntry& entry, const std::string& folder) {
  std::error_code error;
  const std::string target = folder + "/" + std::string(FileNamePart(entry.localFileName));
  std::filesystem::copy_file(entry.localFileName, target, std::filesystem::copy_options::overwrite_existing, error);
  return !error;
}

}  // namespace

CopyOutcome CopyBySpecifier(CommandContext& context, std::string_view specifier, const std::string& folder,
                            bool deleteAfterCopy) {
  const SpecifierMatch match = MakeSpecifierMatch(specifier);
  CopyOutcome result;
  ProgressPacer pacer(context.frame, ProgressPacer::First::Skipped, "Copying files");
  const cache::WalkResult walk = cache::WalkCacheUntil(context.store, "", [&](cache::CacheEntry& entry) {
    const bool goOn = pacer.Count();
    if (!cache::IsContentEntry(entry) || !MatchesSpecifier(match, entry.sourceUrl)) return goOn;
    if (!CopyCachedFile(entry, folder))
      return !context.prompt.AskYesNo("Error writing file! Break write loop?", "Copy file function") && goOn;
    ++result.copied;
    if (deleteAfterCopy) context.store.DeleteEntry(entry.sourceUrl);
    return goOn;
  });
  result.completed = walk == cache::WalkResult::Normal;
  return result;
}

}  // namespace vantry::ops

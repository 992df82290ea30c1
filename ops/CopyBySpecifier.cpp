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

bool CopyBySpecifier(CommandContext& context, std::string_view specifier, const std::string& folder,
                     bool deleteAfterCopy) {
  const SpecifierMatch match = MakeSpecifierMatch(specifier);
  ProgressPacer pacer(context.frame, ProgressPacer::First::Skipped);
  // The walk cannot be left early, so after a "stop" it runs on without acting.
  bool broken = false;
  const cache::WalkResult result = cache::WalkCache(context.store, "", [&](cache::CacheEntry& entry) {
    if (broken) return;
    pacer.Count();
    if (!cache::IsContentEntry(entry) || !MatchesSpecifier(match, entry.sourceUrl)) return;
    if (!CopyCachedFile(entry, folder)) {
      broken = context.prompt.AskYesNo("Error writing file! Break write loop?", "Copy file function");
      return;
    }
    if (deleteAfterCopy) context.store.DeleteEntry(entry.sourceUrl);
  });
  return result == cache::WalkResult::Normal && !broken;
}

}  // namespace vantry::ops

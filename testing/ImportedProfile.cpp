#include "testing/ImportedProfile.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "import/ProfileImport.h"

namespace vantry::testing {

std::unique_ptr<cache::UrlCacheStore> ImportTestProfile(const std::string& profile, const std::string& storeFolder) {
  cache::StoreOpenResult opened = cache::OpenUrlCacheStore(storeFolder);
  if (!opened.store) throw std::runtime_error("cannot open a store in " + storeFolder + ": " + opened.error);
  const std::filesystem::path folder = std::filesystem::path(VANTRY_TESTDATA_DIR) / profile;
  std::ostringstream progress;
  const import::ImportSummary summary =
      import::ImportFirefoxProfile({folder, folder / "cache2"}, *opened.store, progress);
  if (summary.entriesAdded == 0) throw std::runtime_error("nothing imported from " + folder.string());
  return std::move(opened.store);
}

}  // namespace vantry::testing

#include "archive/EarlierCopies.h"

#include <sys/stat.h>

#include "archive/CanonicalUrl.h"
#include "archive/LocalNames.h"

namespace vantry::archive {

EarlierCopies::EarlierCopies(const std::string& destination, const TreeCopyPlan& plan,
                             const std::vector<ReplacementPair>& recorded)
    : destination_(destination), plan_(plan) {
  for (const PlannedFile& file : plan.files()) {
    if (!file.ofHost) continue;
    std::string origin = file.parts.scheme + "://" + file.parts.server;
    if (file.parts.port != DefaultPort(file.parts.scheme)) origin += ":" + std::to_string(file.parts.port);
    origins_.emplace(ServerFolderName(file.parts), std::move(origin));
  }
  for (const ReplacementPair& pair : recorded) {
    const auto origin = origins_.find(pair.replacement.substr(0, pair.replacement.find('/')));
    if (origin == origins_.end() || !pair.search.starts_with('/')) continue;
    const std::optional<std::string> canonical = CanonicalUrl(origin->second + pair.search);
    if (canonical && !plan.Find(*canonical) && !plan.Takes(pair.replacement) && HoldsFile(pair.replacement)) {
      found_.emplace(*canonical, pair.replacement);
    }
  }
}

const std::string* EarlierCopies::Find(std::string_view canonicalUrl) {
  const auto known = found_.find(std::string(canonicalUrl));
  if (known != found_.end()) return known->second ? &*known->second : nullptr;
  std::optional<std::string> path;
  const std::optional<UrlParts> parts = ParseUrl(canonicalUrl);
  const std::string server = parts ? ServerFolderName(*parts) : std::string();
  if (parts && origins_.contains(server)) {
    for (const char* contentType : {"", "text/html"}) {
      const std::string candidate = server + "/" + TreeLocationOf(*parts, contentType).path();
      if (!plan_.Takes(candidate) && HoldsFile(candidate)) {
        path = candidate;
        break;
      }
    }
  }
  const auto [stored, inserted] = found_.emplace(std::string(canonicalUrl), std::move(path));
  return stored->second ? &*stored->second : nullptr;
}

bool EarlierCopies::HoldsFile(const std::string& path) const {
  struct stat info;
  return ::lstat((destination_ + "/" + path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace vantry::archive

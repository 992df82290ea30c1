#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/ChangeLog.h"
#include "archive/TreeCopyPlan.h"

namespace vantry::archive {

// Files that earlier tree copies of the host left in the destination, for addresses this copy
// does not hold: the folder pages change.log records (their relative names begin with their
// server's folder), and files found under the name this copy would give the address.
class EarlierCopies {
 public:
  // `recorded`: the change.log pairs of the host (folder prefix, name below the destination).
  EarlierCopies(const std::string& destination, const TreeCopyPlan& plan, const std::vector<ReplacementPair>& recorded);

  // The file below the destination that stands for `canonicalUrl`, or null.
  const std::string* Find(std::string_view canonicalUrl);

 private:
  bool HoldsFile(const std::string& path) const;

  std::string destination_;
  const TreeCopyPlan& plan_;
  std::unordered_map<std::string, std::string> origins_;               // server folder name -> "scheme://host[:port]"
  std::unordered_map<std::string, std::optional<std::string>> found_;  // by canonical address
};

}  // namespace vantry::archive

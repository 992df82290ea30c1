#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "archive/LinkTranslation.h"

namespace vantry::archive {

// The HTML pages of a tree copy. Their links can only be translated once every file is known,
// so each page is written once, at the end, from its cached file; meanwhile its local file is
// created empty to prove that it can be written.
class TreeCopyPages {
 public:
  // Checks that `source` can be read and creates (or empties) `localPath`; returns false when
  // either fails. A later page for the same local path replaces the earlier one.
  bool Reserve(const std::string& source, const std::string& localPath);

  // Writes every reserved page as cached, untranslated (when the copy is broken off).
  void WriteUnchanged() const;

  // Writes every reserved page with `translation` applied and, when `blankAnchorSlashes`, the
  // leading slash of anchor values outside `localPrefix` blanked.
  void WriteTranslated(const LinkTranslation& translation, bool blankAnchorSlashes,
                       const std::string& localPrefix) const;

 private:
  std::vector<std::string> localPaths_;                    // in the order first reserved
  std::unordered_map<std::string, std::string> sourceOf_;  // local path -> its cached file
};

}  // namespace vantry::archive

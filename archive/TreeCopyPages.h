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
  // Checks that `source` can be read and creates (or empties) `local_path`; returns false when
  // either fails. A later page for the same local path replaces the earlier one.
  bool Reserve(const std::string& source, const std::string& local_path);

  // Writes every reserved page as cached, untranslated (when the copy is broken off).
  void WriteUnchanged() const;

  // Writes every reserved page with `translation` applied and, when `blank_anchor_slashes`, the
  // leading slash of anchor values outside `local_prefix` blanked.
  void WriteTranslated(const LinkTranslation& translation, bool blank_anchor_slashes,
                       const std::string& local_prefix) const;

 private:
  std::vector<std::string> local_paths_;                   // in the order first reserved
  std::unordered_map<std::string, std::string> source_of_;  // local path -> its cached file
};

}  // namespace vantry::archive

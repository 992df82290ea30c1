#pragma once

#include <string>

namespace vantry::cache {

// Where an entry imported from a browser's cache came from: the browser, its profile and
// the file of the browser's cache that held the entry. Texts are bytes, paths absolute.
struct EntryOrigin {
  std::string browser;  // "Firefox", "Chromium (Snap)", ...
  std::string profile;  // the profile's name as the browser shows it
  std::string profileFolder;
  std::string entryFile;  // empty when the entry had no file of its own

  bool operator==(const EntryOrigin&) const = default;
};

}  // namespace vantry::cache

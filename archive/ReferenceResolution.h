#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// The folders of a page address that its relative references start from.
struct PageFolders {
  std::string base;              // the address up to and including its last '/' (else last '\')
  std::string parent;            // base less its last folder
  std::string grandparent;       // parent less its last folder
  std::size_t originLength = 0;  // length of "scheme://" when the address has one
};
PageFolders FoldersOf(std::string_view url);

// The address a reference of the page names: "../../" and "..\..\" from the grandparent,
// "../" and "..\" from the parent, "/", "\", "./" and ".\" from the base, "http:" and "https:"
// references as they stand, anything else appended to the base. A reference that climbs above
// the host names no address (empty text), so no request is ever made for it.
std::string ResolveReference(const PageFolders& folders, std::string_view reference);

}  // namespace vantry::archive

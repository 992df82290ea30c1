#pragma once

#include <span>
#include <string_view>

namespace vantry::storetool {

// One file of the demo site, carried inside the program.
struct EmbeddedFile {
  std::string_view name;
  std::string_view bytes;
};

// The files of the demo folder, sorted by name; made at build time.
std::span<const EmbeddedFile> DemoFiles();

}  // namespace vantry::storetool

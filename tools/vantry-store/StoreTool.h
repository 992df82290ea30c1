#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace vantry::storetool {

// Runs one vantry-store command line (the arguments after the program name) on the store
// in `storeFolder` at time `now` (Unix seconds). Returns the exit code: 0 done, 1 failed,
// 2 usage error. A refused command line leaves the store and its folder untouched.
int RunStoreTool(const std::vector<std::string>& args, const std::filesystem::path& storeFolder, int64_t now,
                 std::ostream& out, std::ostream& err);

}  // namespace vantry::storetool

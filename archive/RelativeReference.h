#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// The reference from a document in `fromFolder` to the file `toPath` (both below one folder,
// '/'-separated; "" is that folder), every byte outside letters, digits and "-._~@=+" escaped,
// so that a file: address reads the name back whatever it holds.
std::string RelativeReference(std::string_view fromFolder, std::string_view toPath);
void AppendRelativeReference(std::string& out, std::string_view fromFolder, std::string_view toPath);

// `text` with every byte outside letters, digits and "-._~@=+" escaped ('/' kept when asked).
void AppendEscaped(std::string& out, std::string_view text, bool keepSlashes);

}  // namespace vantry::archive

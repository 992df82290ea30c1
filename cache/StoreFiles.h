#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// File naming and file I/O of the store's folders.

// A safe file name for a URL's cached copy: the last path segment without query and
// fragment, reduced to portable characters; "index.htm" for a folder address.
std::string CacheFileName(std::string_view url);

// The extension of a file name, without its dot; empty when it has none.
std::string FileExtensionOf(std::string_view fileName);

// The numbered variant "stem[n].ext" of a file name, for when `name` itself is taken.
std::string NumberedFileName(std::string_view name, unsigned number);

// Writes the whole file; false (and no file left behind) when that fails.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
// Writes a sibling temporary file and renames it over `path`, so `path` is always whole.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

#pragma once

#include <cstddef>
#include <filesystem>

namespace vantry::import {

// How much of a corpus profile's cache a copy takes.
enum class CacheCopy { None, Few, All };

// Copies the real Firefox profile of the project's corpus: places.sqlite and
// cookies.sqlite into `profile`, entry files into `cache2`/entries.
void CopyCorpusFirefoxProfile(const std::filesystem::path& profile, const std::filesystem::path& cache2,
                              CacheCopy cache);

// Copies the real Chromium "Default" profile of the corpus: History and Cookies into
// `profile`, the Simple Cache files into `cacheData`.
void CopyCorpusChromiumProfile(const std::filesystem::path& profile, const std::filesystem::path& cacheData,
                               CacheCopy cache);

// The corpus entry counts a full copy imports.
inline constexpr size_t kCorpusFirefoxEntries = 356;
inline constexpr size_t kCorpusChromiumEntries = 357;

}  // namespace vantry::import

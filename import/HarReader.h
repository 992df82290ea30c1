#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportedEntry.h"

namespace vantry::import {

// What an HTTP Archive gave: one entry per response (bodies are given decoded, as the
// developer tools export them), the entries left out and why, or why nothing was read.
struct HarRead {
  std::vector<ImportedEntry> entries;
  std::map<std::string, size_t> skipped;
  std::string error;
};

// Reads the "log.entries" of an HTTP Archive (JSON): request URL, start time and
// duration, response status, headers and content (text, or base64 with "encoding").
// Texts that are not UTF-8 (a page's bytes copied in unchanged) keep their bytes.
HarRead ReadHar(std::string_view json);

// An ISO 8601 time as HTTP archives write it ("2024-05-01T12:30:45.123+02:00").
std::optional<cache::FileTime> ParseIsoTime(std::string_view text);

// Standard base64 (whitespace ignored); nothing when the text is not base64.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace vantry::import

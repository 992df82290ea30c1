#pragma once

#include <string>

#include "import/ByteSource.h"
#include "import/EntryConversion.h"
#include "import/ImportedEntry.h"

namespace vantry::fuzz {

// What the import does with a parsed entry file: read the body where the parse
// says it is, check it against the file's sums, and make the store's entry
// (decoding the body) from it.
inline void ImportParsedEntry(const import::ByteSource& file, const import::ParsedEntry& parsed) {
  if (!parsed.entry) return;
  std::string body;
  if (!file.Read(parsed.entry->bodyOffset, parsed.entry->bodySize, body)) return;
  import::BodyMatchesChecks(*parsed.entry, body);
  import::ConvertEntry(*parsed.entry, std::move(body));
}

}  // namespace vantry::fuzz

// Link translation of a page: pairs of search and replacement fields up to an
// empty search field, then the page. The fast translation must agree with a
// plain one that tries every pair at every position.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/LinkTranslation.h"
#include "fuzz/FuzzInput.h"

namespace {

using vantry::archive::ReplacementPair;

// Every occurrence ending before a blank or a quote, the earliest start winning,
// and on the same start the earlier pair.
std::string PlainlyTranslated(const std::vector<ReplacementPair>& pairs, const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const ReplacementPair* found = nullptr;
    for (const ReplacementPair& pair : pairs) {
      const size_t end = pos + pair.search.size();
      if (!pair.search.empty() && end < text.size() && text.compare(pos, pair.search.size(), pair.search) == 0 &&
          (text[end] == ' ' || text[end] == '"' || text[end] == '\'')) {
        found = &pair;
        break;
      }
    }
    if (found == nullptr) {
      out += text[pos++];
    } else {
      out += found->replacement;
      pos += found->search.size();
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantry::fuzz::FuzzInput input(data, size);
  vantry::archive::LinkTranslation translation;
  for (size_t pairs = 0; pairs < 64; ++pairs) {
    const std::string search(input.Field());
    if (search.empty()) break;
    translation.Add(search, std::string(input.Field()));
  }
  const std::string page(input.Rest());
  std::string translated = page;
  const bool changed = translation.Apply(translated);
  if (translated != PlainlyTranslated(translation.pairs(), page) || changed != (translated != page)) std::abort();
  vantry::archive::BlankLeadingSlashOfAnchors(translated, "/copies/");
  return 0;
}

#include "import/ImportSummary.h"

namespace vantry::import {

size_t Total(const std::map<std::string, size_t>& counts) {
  size_t total = 0;
  for (const auto& [reason, count] : counts) total += count;
  return total;
}

static size_t CountOf(const std::map<std::string, size_t>& counts, const std::string& reason) {
  auto found = counts.find(reason);
  return found == counts.end() ? 0 : found->second;
}

size_t ImportSummary::storeRefusals() const {
  return CountOf(entriesSkipped, kStoreRefused) + CountOf(visitsSkipped, kStoreRefused) +
         CountOf(cookiesSkipped, kStoreRefused);
}

static void PrintReasons(const std::map<std::string, size_t>& counts, std::ostream& out) {
  for (const auto& [reason, count] : counts) out << "  skipped " << count << ": " << reason << "\n";
}

void PrintSummary(const ImportSummary& s, std::ostream& out) {
  out << "Cache entries: " << s.entriesImported() << " imported (" << s.entriesAdded << " new, " << s.entriesUpdated
      << " updated), " << s.entriesUnchanged << " unchanged, " << s.entriesStoreHasNewer
      << " older than the store's copy, " << s.entriesInOtherPartitions << " older copies of the same URL left out, "
      << Total(s.entriesSkipped) << " skipped\n";
  if (s.bodiesDecoded) out << "  bodies decoded from their Content-Encoding: " << s.bodiesDecoded << "\n";
  if (s.bodiesLeftEncoded) out << "  bodies kept encoded (could not be decoded): " << s.bodiesLeftEncoded << "\n";
  PrintReasons(s.entriesSkipped, out);
  out << "Visits: " << s.visitsImported << " imported, " << s.visitsUnchanged << " unchanged, "
      << Total(s.visitsSkipped) << " skipped\n";
  PrintReasons(s.visitsSkipped, out);
  out << "Cookies: " << s.cookiesImported << " imported, " << s.cookiesInOtherPartitions
      << " older copies from other partitions left out, " << Total(s.cookiesSkipped) << " skipped\n";
  if (s.cookiesWithoutValue)
    out << "  imported with an empty value (encrypted with the desktop keyring): " << s.cookiesWithoutValue << "\n";
  PrintReasons(s.cookiesSkipped, out);
  for (const std::string& problem : s.problems) out << "Problem: " << problem << "\n";
  if (s.stopped) out << "Stopped before the end: the entries imported so far are kept.\n";
}

}  // namespace vantry::import

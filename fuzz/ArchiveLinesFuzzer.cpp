// The lines of the archive files: Histfile.dbx, Allfile.dbx and change.log.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "archive/ArchiveLineReader.h"
#include "archive/ChangeLog.h"
#include "archive/CopyRecords.h"
#include "archive/HistoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantry::archive;
  ArchiveLineReader reader(std::string_view(reinterpret_cast<const char*>(data), size));
  while (std::optional<std::string> line = reader.Next()) {
    if (line->size() > ArchiveLineReader::kMaxLine) std::abort();
    // A history record written back reads as the same record.
    if (const std::optional<HistoryRecord> record = ParseHistoryRecord(*line)) {
      std::string written = FormatHistoryRecord(*record);
      written.pop_back();
      if (ParseHistoryRecord(written) != record) std::abort();
    }
    ReadCopyRecord(*line);
    ReadChangeLogRecord(*line);
  }
  return 0;
}

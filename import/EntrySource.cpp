#include "import/EntrySource.h"

#include <algorithm>

#include "import/OrderedPipeline.h"
#include "import/ProgressLine.h"

namespace vantry::import {

namespace {

// An entry as a parser thread hands it to the importer: with its body prepared.
struct PreparedEntry {
  std::optional<ImportedEntry> entry;
  OfferedBody body;
  std::string skipped;
};

size_t HeldBytes(const PreparedEntry& read) {
  return read.body.bytes.size() + (read.body.converted ? read.body.converted->entry.content.size() : 0);
}

// Entry `index` counted over all sources, read and prepared.
PreparedEntry ReadAndPrepare(const EntrySources& sources, size_t index, const EntryImporter& importer) {
  size_t source = 0;
  while (index >= sources[source]->Count()) index -= sources[source++]->Count();
  EntryRead read = sources[source]->Read(index);
  if (!read.entry) return {std::nullopt, {}, std::move(read.skipped)};
  OfferedBody body = importer.Prepare(*read.entry, std::move(read.body));
  return {std::move(read.entry), std::move(body), {}};
}

}  // namespace

void ImportEntrySources(const EntrySources& sources, EntryImporter& importer, std::ostream& progress) {
  size_t total = 0;
  for (const auto& source : sources) total += source->Count();
  ProgressLine line(progress, total, importer.options().progressFrom);
  // Parser threads may run a batch and more ahead, so that they keep going while a batch is written.
  const StoreOptions& options = importer.options();
  PipelineLimits limits{options.parserThreads, 2 * options.batchEntries + 32, options.batchBytes};
  OrderedPipeline<PreparedEntry> reads(
      total, limits, [&](size_t i) { return ReadAndPrepare(sources, i, importer); }, HeldBytes);
  for (size_t done = 1; done <= total; ++done) {
    line.Step(done);
    PreparedEntry read = reads.Next();
    if (read.entry)
      importer.Offer(*read.entry, std::move(read.body));
    else
      ++importer.summary().entriesSkipped[read.skipped];
    if (options.keepGoing && !options.keepGoing(done, total)) {
      importer.summary().stopped = true;
      break;
    }
  }
}

}  // namespace vantry::import

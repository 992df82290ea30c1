#include "tools/vantry-store/StoreTool.h"

#include <ostream>

#include "cache/store/StoreFiles.h"
#include "files/WholeFile.h"
#include "import/HomeFolders.h"
#include "import/ImportCommand.h"
#include "tools/vantry-store/CopyCommands.h"
#include "tools/vantry-store/ProfileListing.h"
#include "tools/vantry-store/StoreCommands.h"

namespace vantry::storetool {

namespace fs = std::filesystem;

namespace {

// Commands that only read or remove never create a store where there is none.
bool CreatesStore(Verb verb) {
  return verb != Verb::Remove && verb != Verb::List && verb != Verb::Stats && verb != Verb::CopyTree &&
         verb != Verb::CopyPage;
}

}  // namespace

int RunStoreTool(const std::vector<std::string>& args, const fs::path& storeFolder, int64_t now, std::ostream& out,
                 std::ostream& err) {
  ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.command) {
    err << "vantry-store: " << parsed.error << "\nRun \"vantry-store help\" for the usage.\n";
    return kExitUsage;
  }
  const StoreToolCommand& command = *parsed.command;
  if (command.verb == Verb::Help) {
    out << UsageText(storeFolder);
    return kExitOk;
  }
  if (command.verb == Verb::Profiles) return RunProfiles(import::HomeFolders::FromEnvironment(), out, err);

  // Everything the command reads comes in before the store is opened.
  std::string fileBytes;
  std::error_code ec;
  if (command.verb == Verb::Add) {
    const std::string& file = command.operands[1];
    std::optional<std::string> bytes = fs::is_regular_file(file, ec) ? files::ReadWholeFile(file) : std::nullopt;
    if (!bytes) {
      err << "vantry-store: add: cannot read the file \"" << command.operands[1] << "\"\n";
      return kExitFailure;
    }
    fileBytes = std::move(*bytes);
  }
  if (command.verb == Verb::Import && !import::CheckImportArguments(command.operands, err)) return kExitUsage;
  if (!CreatesStore(command.verb) && !fs::is_directory(storeFolder, ec)) {
    err << "vantry-store: there is no cache store in " << storeFolder.string() << "\n";
    return kExitFailure;
  }
  cache::SqliteUrlCacheStore store(storeFolder);
  if (!store.error().empty()) {
    err << "vantry-store: " << store.error() << "\n";
    return kExitFailure;
  }

  ToolContext context{store, now, out, err};
  switch (command.verb) {
    case Verb::Demo:
      return RunDemo(command, context);
    case Verb::Synth:
      return RunSynth(command, context);
    case Verb::Add:
      return RunAdd(command, fileBytes, context);
    case Verb::Visit:
      return RunVisit(command, context);
    case Verb::Cookie:
      return RunCookie(command, context);
    case Verb::Remove:
      return RunRemove(command, context);
    case Verb::List:
      return RunList(command, context);
    case Verb::Stats:
      return RunStats(command, context);
    case Verb::Import:
      return import::RunImportCommand(command.operands, store, context.out, context.err);
    case Verb::CopyTree:
      return RunCopyTree(command.operands, store, fs::current_path(ec), context.out, context.err);
    case Verb::CopyPage:
      return RunCopyPage(command.operands, store, fs::current_path(ec), context.out, context.err);
    case Verb::Help:
    case Verb::Profiles:
      break;
  }
  return kExitOk;
}

}  // namespace vantry::storetool

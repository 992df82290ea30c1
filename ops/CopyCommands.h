#pragma once

#include <cstdint>
#include <string>

#include "archive/CopyFlags.h"
#include "ops/CommandDialogs.h"
#include "ops/CommandServices.h"
#include "ops/CopyOutcome.h"

// The commands that copy cached content into ordinary folders.
namespace vantry::ops {

// What the archive remembers of a server copied before.
struct ServerRecord {
  std::string folder;  // empty: the server was never recorded
  archive::CopyFlags flags = 0;
  std::string comment;
};

// The archive operations the copy commands hand the copying to.
class CopyArchive {
 public:
  virtual ~CopyArchive() = default;
  // The first history record of `server` (compared ignoring case); an empty folder when
  // there is none or the history file cannot be read.
  virtual ServerRecord FindServerRecord(const std::string& server) = 0;
  // The single-page copy with rewritten links. `newFolder`: the folder is not the one recorded
  // for the server.
  virtual CopyOutcome CopySinglePage(const std::string& localFile, const std::string& address,
                                     const std::string& folder, int pageCount, archive::CopyFlags flags,
                                     const std::string& comment, bool newFolder) = 0;
  // The copy of the server's whole tree, advancing `work` once per file; the user may stop it
  // between two files.
  virtual CopyOutcome CopySiteTree(const std::string& localFile, const std::string& address, const std::string& folder,
                                   archive::CopyFlags flags, const std::string& comment, bool newFolder,
                                   cache::WorkProgress& work) = 0;
};

enum class EntryCopyCommand {
  Save,            // "&Save..." and "&Save As"
  CopySingleFile,  // "Copy single file"
  CopyTree,        // "Copy reconstructing tree"
};

// Copies the selected entry: proposes the server's recorded folder (else "SaveDir"), asks
// for the folder and, where the command wants it, a comment, and hands the copy to the
// archive; the status bar then says how many files went where. "SaveDir" comes from `appSettings` for Save and from
// `profile` for the others.
void CopyEntryCommand(CommandContext& context, EntryCopyCommand command, const EntrySelection& selection,
                      CommandDialogs& dialogs, CopyArchive& archive, SettingsStore& appSettings,
                      SettingsStore& profile);

// "Copy files....": copies every content entry that a file specifier selects, then says in the
// status bar how many files went where.
void CopyFilesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& profile);

}  // namespace vantry::ops

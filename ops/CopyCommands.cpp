#include "ops/CopyCommands.h"

#include <memory>
#include <optional>

#include "archive/UrlParts.h"
#include "ops/CopyBySpecifier.h"
#include "ops/FolderRules.h"
#include "ops/SettingKeys.h"

namespace vantry::ops {
namespace {

constexpr std::string_view kCopyingStatus = "Wait! Copying and exchanging URL's!";

// Specifiers this short may well select the whole cache, so the user confirms them first.
constexpr size_t kShortSpecifier = 2;

archive::CopyFlags CommentFlags(const CommentChoice& comment) {
  return (comment.automaticBackup ? archive::kMarkAutomaticBackup : 0) |
         (comment.backgroundSync ? archive::kMarkBackgroundSync : 0);
}

CommentChoice CommentFromRecord(const ServerRecord& record) {
  return {record.comment, (record.flags & archive::kMarkAutomaticBackup) != 0,
          (record.flags & archive::kMarkBackgroundSync) != 0};
}

// Runs the comment step and the copy of one command once the folder is settled; nothing when
// the comment dialog was cancelled.
std::optional<CopyOutcome> CommentAndCopy(EntryCopyCommand command, const EntrySelection& selection,
                                          const std::string& folder, bool newFolder, const CopyToChoice& copyTo,
                                          const ServerRecord& record, CommandDialogs& dialogs, CopyArchive& archive,
                                          cache::FrameServices& frame) {
  const bool tree = command == EntryCopyCommand::CopyTree;
  const archive::CopyFlags deleteFlag = tree && copyTo.deleteAfterCopy ? archive::kRemoveCopiedEntries : 0;
  archive::CopyFlags flags = deleteFlag;
  std::string comment;
  if (command == EntryCopyCommand::Save || copyTo.showCommentDialog) {
    CommentChoice choice = CommentFromRecord(record);
    if (!dialogs.RunComment(choice)) return std::nullopt;
    flags = CommentFlags(choice) | (command == EntryCopyCommand::Save ? 0 : archive::kCommentConfirmed | deleteFlag);
    comment = choice.comment;
  }
  if (!tree)
    return archive.CopySinglePage(selection.localFileName, selection.address, folder, 1, flags, comment, newFolder);
  const std::unique_ptr<cache::WorkProgress> work = frame.BeginWork("Copying the server's files");
  return archive.CopySiteTree(selection.localFileName, selection.address, folder, flags, comment, newFolder, *work);
}

}  // namespace

void CopyEntryCommand(CommandContext& context, EntryCopyCommand command, const EntrySelection& selection,
                      CommandDialogs& dialogs, CopyArchive& archive, SettingsStore& appSettings,
                      SettingsStore& profile) {
  if (!HasSelection(selection, context.prompt)) return;
  SettingsStore& settings = command == EntryCopyCommand::Save ? appSettings : profile;
  const TextSetting& saveDirKey = command == EntryCopyCommand::Save ? kSaveDir : kCopySaveDir;
  const std::string saveDir = Read(settings, saveDirKey);
  ServerRecord record = archive.FindServerRecord(archive::ServerOf(selection.address));
  if (record.folder.empty()) record = ServerRecord{};
  const std::string proposed = record.folder.empty() ? saveDir : record.folder;
  bool newFolder = record.folder.empty();

  CopyToChoice copyTo{StripTrailingSeparator(proposed), false, false, command == EntryCopyCommand::CopyTree};
  std::string folder = proposed;
  const bool busy = command != EntryCopyCommand::Save;
  const bool tree = command == EntryCopyCommand::CopyTree;
  std::string summary;  // what the copy did, once it ran
  if (dialogs.RunCopyTo(copyTo)) {
    if (busy) context.cursor.Show();
    if (tree) context.frame.SetStatusText(kCopyingStatus);
    folder = copyTo.folder;
    if (folder != record.folder) newFolder = true;
    if (copyTo.createNewFolder && !MakeTwoLevelFolder(folder, context.prompt)) {
      // The command ends without writing "SaveDir", but not with the wait cursor on.
      if (busy) context.cursor.Restore();
      if (tree) context.frame.SetStatusText("Ready");
      return;
    }
    const std::optional<CopyOutcome> outcome =
        CommentAndCopy(command, selection, folder, newFolder, copyTo, record, dialogs, archive, context.frame);
    if (outcome) summary = CopySummary(*outcome, folder);
  }
  if (busy) context.cursor.Restore();
  if (tree || !summary.empty()) context.frame.SetStatusText(summary.empty() ? "Ready" : summary);
  Write(settings, saveDirKey, folder);
}

void CopyFilesCommand(CommandContext& context, CommandDialogs& dialogs, SettingsStore& profile) {
  CopyFilesChoice choice;
  choice.specifier = Read(profile, kFilesToCopy);
  const std::string home = DefaultCopyDirectory();
  choice.folder = Read(profile, {kCopyDirectory.section, kCopyDirectory.key, home});
  if (!dialogs.RunCopyFiles(choice)) return;
  if (choice.createNewFolder && !MakeTwoLevelFolder(choice.folder, context.prompt)) return;
  if (choice.specifier.empty()) {
    context.prompt.Tell("Nothing to copy?", "Copy files");
    return;
  }
  if (choice.specifier.size() <= kShortSpecifier && choice.specifier != "*" &&
      !context.prompt.AskYesNo("Copy specifier very short, copy anyway ?", "Whole cache may get copied"))
    return;
  context.frame.EnsureProgressBar();
  context.cursor.Show();
  const CopyOutcome copied = CopyBySpecifier(context, choice.specifier, choice.folder, choice.deleteAfterCopy);
  Write(profile, kFilesToCopy, choice.specifier);
  Write(profile, kCopyDirectory, choice.folder);
  context.cursor.Restore();
  context.frame.ResetProgress();
  context.frame.SetStatusText(CopySummary(copied, choice.folder));
}

}  // namespace vantry::ops

#include "tools/vantry-store/CopyCommands.h"

#include <optional>
#include <ostream>
#include <system_error>

#include "archive/HistoryFile.h"
#include "archive/SinglePageCopy.h"
#include "archive/SiteTreeCopy.h"
#include "archive/UrlParts.h"
#include "tools/vantry-store/StoreCommands.h"

namespace vantry::storetool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExternal = "External references not copied!";

// The copies' message boxes as lines on the error stream. A question is answered No (go on with
// the rest); it and every message but the note on other servers count as a problem.
class ConsolePrompt : public archive::UserPrompt {
 public:
  ConsolePrompt(std::string verb, std::ostream& err) : verb_(std::move(verb)), err_(err) {}

  void Tell(const std::string& text, const std::string& title) override {
    err_ << "vantry-store: " << verb_ << ": " << title << ": " << text << "\n";
    if (title != kExternal) problems_ = true;
  }
  bool AskYesNo(const std::string& text, const std::string& title) override {
    err_ << "vantry-store: " << verb_ << ": " << title << ": " << text << " No\n";
    problems_ = true;
    return false;
  }
  bool problems() const { return problems_; }

 private:
  std::string verb_;
  std::ostream& err_;
  bool problems_ = false;
};

// DEST as a full path without a trailing slash, made when missing; nothing when it cannot be.
std::optional<std::string> Destination(const std::string& operand, const std::string& verb, std::ostream& err) {
  std::error_code error;
  const fs::path folder = fs::absolute(operand, error).lexically_normal();
  std::string path = folder.string();
  while (path.size() > 1 && path.ends_with('/')) path.pop_back();
  if (!error) fs::create_directories(path, error);
  if (error || !fs::is_directory(path, error)) {
    err << "vantry-store: " << verb << ": cannot make the folder " << path << (error ? ": " + error.message() : "")
        << "\n";
    return std::nullopt;
  }
  return path;
}

int Finish(const archive::CopyReport& report, const ConsolePrompt& prompt, const std::string& verb,
           const std::string& destination, std::ostream& out, std::ostream& err) {
  for (const archive::CopyReport::File& file : report.copied) out << file.url << " -> " << file.localPath << "\n";
  out << "Copied " << report.copied.size() << (report.copied.size() == 1 ? " file" : " files") << " into "
      << destination << "\n";
  for (const std::string& url : report.notCopied) err << "vantry-store: " << verb << ": not copied: " << url << "\n";
  if (report.brokenOff) err << "vantry-store: " << verb << ": the copy was broken off\n";
  const bool failed = report.brokenOff || !report.notCopied.empty() || prompt.problems() || report.copied.empty();
  if (report.copied.empty() && report.notCopied.empty() && !report.brokenOff) {
    err << "vantry-store: " << verb << ": nothing was copied\n";
  }
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int RunCopyTree(const std::vector<std::string>& operands, cache::UrlCacheStore& store, const fs::path& archiveFolder,
                std::ostream& out, std::ostream& err) {
  const std::string verb = "copy-tree";
  const std::optional<std::string> destination = Destination(operands[1], verb, err);
  if (!destination) return kExitFailure;
  ConsolePrompt prompt(verb, err);
  const archive::ArchivePaths paths = archive::MakeArchivePaths(archiveFolder);
  archive::PrepareArchiveFiles(paths, prompt);
  const std::string host = archive::ServerOf(operands[0]);
  const std::optional<archive::HistoryRecord> recorded = archive::FindServerRecord(paths, host, prompt);
  const archive::SiteTreeCopy copy{operands[0], *destination, archive::kCommentConfirmed,
                                   operands.size() > 2 ? operands[2] : "",
                                   !recorded || recorded->destination != *destination};
  return Finish(archive::CopySiteTree(store, paths, copy, prompt), prompt, verb, *destination, out, err);
}

int RunCopyPage(const std::vector<std::string>& operands, cache::UrlCacheStore& store, const fs::path& archiveFolder,
                std::ostream& out, std::ostream& err) {
  const std::string verb = "copy-page";
  const std::optional<std::string> pageFile = archive::LookupLocalFile(store, operands[0]);
  if (!pageFile) {
    err << "vantry-store: " << verb << ": " << operands[0] << " is not in the cache\n";
    return kExitFailure;
  }
  const std::optional<std::string> destination = Destination(operands[1], verb, err);
  if (!destination) return kExitFailure;
  ConsolePrompt prompt(verb, err);
  const archive::ArchivePaths paths = archive::MakeArchivePaths(archiveFolder);
  archive::PrepareArchiveFiles(paths, prompt);
  const archive::SinglePageCopy copy{*pageFile, operands[0], *destination, operands.size() > 2 ? operands[2] : ""};
  return Finish(archive::CopySinglePage(store, paths, copy, prompt), prompt, verb, *destination, out, err);
}

}  // namespace vantry::storetool

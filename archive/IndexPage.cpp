#include "archive/IndexPage.h"

#include <optional>

#include "files/WholeFile.h"
#include "archive/ReplaceKeepingBackup.h"
#include "archive/UrlParts.h"

namespace vantry::archive {
namespace {

constexpr std::string_view kPageEnd = "</BODY>";

std::string EntryText(const std::string& server, std::string_view separator,
                      const std::string& local_path, const std::string& comment) {
  return "<UL><li><tt><a href=\"" + local_path + "\">" + server + std::string(separator) +
         comment + "</a></tt></li><br></UL><BR><BR>";
}

std::string FirstPage(const std::string& entry) {
  return "\n<HTML>\n<Head>\n<TITLE>List of locally available Documents</TITLE>\n</HEAD>\n"
         "<BODY><H1 ALIGN=Center><U>Index of locally available Documents:</U></H1><BR><BR><BR>" +
         entry + "\n</BODY>\n</HTML>";
}

}  // namespace

bool WriteIndexEntry(const ArchivePaths& paths, const std::string& url,
                     const std::string& local_path, const std::string& comment,
                     UserPrompt& prompt) {
  const std::string server = ServerOf(url);
  std::string page;
  if (std::optional<std::string> old_page = files::ReadWholeFile(paths.index)) {
    page = std::move(*old_page);
    const std::size_t end = page.find(kPageEnd);
    if (end != std::string::npos) {
      page.replace(end, std::string::npos,
                   EntryText(server, "  ", local_path, comment) + "\n</BODY>\n</HTML>");
    } else {
      prompt.Tell("Html-Index file defect!!", "Write Index");
    }
  } else {
    page = FirstPage(EntryText(server, " : ", local_path, comment));
  }
  if (!files::WriteWholeFile(paths.index_temp, page, files::Durability::kSynced)) {
    prompt.Tell("Write: Error opening Index file !!", "Vantry");
    return false;
  }
  return ReplaceKeepingBackup(paths.index, paths.index_temp, paths.index_backup);
}

}  // namespace vantry::archive

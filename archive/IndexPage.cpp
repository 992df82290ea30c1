#include "archive/IndexPage.h"

#include <optional>

#include "archive/ReplaceKeepingBackup.h"
#include "archive/UrlParts.h"
#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

constexpr std::string_view kPageEnd = "</BODY>";

std::string EntryText(const std::string& server, std::string_view separator, const std::string& localPath,
                      const std::string& comment) {
  return "<UL><li><tt><a href=\"" + localPath + "\">" + server + std::string(separator) + comment +
         "</a></tt></li><br></UL><BR><BR>";
}

std::string FirstPage(const std::string& entry) {
  return "\n<HTML>\n<Head>\n<TITLE>List of locally available Documents</TITLE>\n</HEAD>\n"
         "<BODY><H1 ALIGN=Center><U>Index of locally available Documents:</U></H1><BR><BR><BR>" +
         entry + "\n</BODY>\n</HTML>";
}

}  // namespace

bool WriteIndexEntry(const ArchivePaths& paths, const std::string& url, const std::string& localPath,
                     const std::string& comment, UserPrompt& prompt) {
  const std::string server = ServerOf(url);
  std::string page;
  if (std::optional<std::string> oldPage = files::ReadWholeFile(paths.index)) {
    page = std::move(*oldPage);
    const std::size_t end = page.find(kPageEnd);
    if (end != std::string::npos) {
      page.replace(end, std::string::npos, EntryText(server, "  ", localPath, comment) + "\n</BODY>\n</HTML>");
    } else {
      prompt.Tell("Html-Index file defect!!", "Write Index");
    }
  } else {
    page = FirstPage(EntryText(server, " : ", localPath, comment));
  }
  if (!files::WriteWholeFile(paths.indexTemp, page, files::Durability::kSynced)) {
    prompt.Tell("Write: Error opening Index file !!", "Vantry");
    return false;
  }
  return ReplaceKeepingBackup(paths.index, paths.indexTemp, paths.indexBackup);
}

}  // namespace vantry::archive

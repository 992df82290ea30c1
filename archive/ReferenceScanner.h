#pragma once

#include <string>
#include <string_view>

#include "archive/ReferenceList.h"
#include "archive/UserPrompt.h"

namespace vantry::archive {

// The references one page makes: links to other documents and files it embeds.
struct PageReferences {
  ReferenceList links = ReferenceList::ForLinks();
  ReferenceList images = ReferenceList::ForImages();
};

// Gathers the references of the page at `path` by matching known tag prefixes and attribute
// names line by line; it is not an HTML parser. An unreadable page is reported through `prompt`
// ("Problem opening the file" / "ReadHtml") and yields empty lists.
PageReferences ScanPage(const std::string& path, UserPrompt& prompt);

// The same scan over page text already in memory. Every page starts outside any comment.
PageReferences ScanHtmlText(std::string_view text);

// True when a tag that may carry a reference opens in `text` and is not closed by a later '>',
// so that the next line has to be joined before scanning.
bool TagIsOpen(std::string_view text);

}  // namespace vantry::archive

#pragma once

#include <string_view>

namespace vantry::cache {

// What a list item stands for, told by its text alone: the lists show it as the item's icon.
enum class EntryKind { Page, Image, Script, StyleSheet, Cookie, History, Other };
inline constexpr int kEntryKindCount = 7;

// "Cookie:" keys are cookies and "Visited:" keys history entries. An address goes by the
// extension of the last segment of its path (query and fragment left out): a segment without
// one, or none at all, is a page. Texts that are no address (folders, placeholders) are Other.
EntryKind KindOfListText(std::string_view text);

}  // namespace vantry::cache

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "archive/UrlParts.h"

namespace vantry::archive {

// The names copies give cached addresses on disk. No name holds a character that a file:
// address reads specially ('?', '#', '%'), a blank, a control character, '/' or one of the
// characters the legal-name filter replaces; escaped bytes are decoded, so UTF-8 names keep
// their letters. Names are at most 200 bytes long (longer ones are cut and keep a hash).

// The parts of a file name before the type's extension is settled.
struct NameParts {
  std::string stem;                  // the name without its extension
  std::string extension;             // ".gif", or empty
  std::optional<std::string> query;  // the address's raw query, when it has one
};

// One segment of an address path as a name: escapes decoded, forbidden characters replaced by
// '_', "." and ".." (also escaped) made "_" and "__".
std::string LocalSegment(std::string_view raw);

// Splits a name at the dot of its extension (a last dot followed by 1 to 10 letters or digits,
// not the first character).
NameParts SplitName(std::string_view name);

// The file name of `parts` for a file of `contentType`: "stem@query.ext". A page gets the
// extension .html (".asp" is replaced, an extension browsers do not open as a page is kept
// in the stem), a style sheet .css, an image its type's extension unless it has one that fits,
// and a name without extension the one its type has.
std::string ComposeName(const NameParts& parts, std::string_view contentType);

// "stem~n.ext": the name of the n-th (n >= 2) of several addresses that would share `name`.
std::string NumberedName(std::string_view name, int n);

// The folder of one server in a tree copy: its host in lower case, "_" and the port when it
// is not the scheme's default, the scheme and '_' in front of it unless it is http.
std::string ServerFolderName(const UrlParts& server);

// Where a tree copy keeps an address below its server's folder.
struct TreeLocation {
  std::string folders;  // '/'-separated, empty for the server's top folder
  std::string name;
  bool folderPage = false;  // a folder address ("/a/b/" is kept as "a/b.html", "/" as "index.html")
  std::string path() const { return folders.empty() ? name : folders + "/" + name; }
};
TreeLocation TreeLocationOf(const UrlParts& parts, std::string_view contentType);

// The flat name of an address for a single-page copy: server, folders and name joined by '_'
// ("http://s.t/p/a.b.gif" gives "s_t_p_a_b.gif"), the query after '@' before the extension.
NameParts FlatNameParts(std::string_view url);
std::string FlatName(std::string_view url);

// The legal-name filter: each of ° ^ § ? * < > : " \ | becomes '_' ('°' and '§' as their
// UTF-8 letters or as the lone code-page bytes 0xB0 and 0xA7). '/' is kept.
std::string LegalName(std::string_view name);

}  // namespace vantry::archive

#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// The flat file name of an address for a single-page copy: a leading "http://" or "https://"
// (also written with a blank, or without the slashes) is removed, then every '\', '/' and '.'
// except the last '.' becomes '_'. "http://s.t/p/a.b.gif" gives "s_t_p_a_b.gif".
std::string FlatName(std::string_view url);

// Replaces each of the characters ° ^ § ? * < > : " \ | by '_' ('°' and '§' as their code-page
// bytes 0xB0 and 0xA7). '/' is kept, so a relative path keeps its separators.
std::string LegalName(std::string_view name);

// A path whose extension is "asp" in any case gets the extension ".html"; others are unchanged.
std::string HtmlExtension(std::string_view path);

// Converts a relative path to the file system's separator: every '\' becomes '/'.
std::string ToBackslashes(std::string_view path);

// A relative folder path that stays below the folder it is joined to: empty segments (a leading
// '/' included) are dropped, and a segment that is "." or ".." (also percent-encoded as %2e)
// has each dot replaced by '_'. NUL bytes become '_'.
std::string SafeRelativeFolder(std::string_view folders);

// One file name made safe in the same way ("." and ".." and their encoded forms).
std::string SafeFileName(std::string_view name);

}  // namespace vantry::archive

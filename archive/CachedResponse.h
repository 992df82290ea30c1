#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// What the pane needs from an entry's stored response headers.
struct CachedResponse {
  int status = 200;         // from the status line; 200 when there is none
  std::string contentType;  // the Content-Type value as stored, parameters included
  std::string location;     // the Location value, for a stored redirect
};

// Reads the status line and the headers the pane serves by. Content-Encoding is ignored on
// purpose: the store keeps bodies decoded.
CachedResponse ParseStoredHeaders(std::string_view headers);

bool IsRedirectStatus(int status);

// A content type for a body without a stored one: by the file's extension, else by a look
// at the body (markup, text or bytes).
std::string GuessContentType(std::string_view fileName, std::string_view body);

}  // namespace vantry::archive

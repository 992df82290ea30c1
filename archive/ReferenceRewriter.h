#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "archive/ReferenceScanner.h"

namespace vantry::archive {

// Where a copy keeps an address (in canonical form): the path of its file below the copy's
// folder, or null when the copy does not hold it. May add the address to the copy. The text
// pointed to needs to last only until the next call.
using LocalTarget = std::function<const std::string*(std::string_view canonicalUrl, ReferenceRole role)>;

// A page or style sheet of a copy.
struct CopiedDocument {
  std::string url;        // the address it was cached under
  std::string localPath;  // its file below the copy's folder ('/'-separated)
};

// Rewrites the references of the documents of one copy. A reference to an address the copy
// holds becomes the path of its file relative to the document (escaped, fragment kept), so that
// the copy works from any folder; a relative reference to any other address becomes that
// address, absolute, so that it still reaches the web; everything else (absolute references
// the copy does not hold, same-document fragments, other schemes) stays as written.
class ReferenceRewriter {
 public:
  explicit ReferenceRewriter(LocalTarget target) : target_(std::move(target)) {}

  // Every reference of an HTML page: href, src, srcset, frames and iframes, <link> (style
  // sheets and icons), style attributes and <style> elements, refresh, and <base href>, which
  // is pointed at the page itself.
  std::string RewriteHtml(std::string html, const CopiedDocument& page);
  // Every url(...) and @import of a style sheet.
  std::string RewriteCss(std::string css, const CopiedDocument& sheet);

 private:
  struct Context;  // the document being rewritten
  Context ContextFor(const std::string& base, const std::string& localPath) const;
  std::string RewriteCssText(std::string_view css, const Context& context);
  std::string RewriteSrcset(std::string_view srcset, const Context& context);
  // Sets `translation` to the text that replaces one address; false to keep the address.
  bool Translate(std::string_view value, ReferenceRole role, const Context& context, std::string& translation);

  LocalTarget target_;
  std::string canonical_;  // working space of Translate
};

}  // namespace vantry::archive

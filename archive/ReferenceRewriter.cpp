#include "archive/ReferenceRewriter.h"

#include <algorithm>
#include <optional>

#include "archive/CanonicalUrl.h"
#include "archive/CssReferences.h"
#include "archive/HtmlEntities.h"
#include "archive/RelativeReference.h"
#include "archive/UrlParts.h"
#include "text/AsciiText.h"

namespace vantry::archive {
namespace {

constexpr std::string_view kEndsCssOrSrcsetAddress = " \"'(),\\";

// Bytes that would end an unquoted url(...) or a srcset address, escaped.
std::string SafeForCssAndSrcset(std::string_view address) {
  std::string out;
  for (const char c : address) {
    if (kEndsCssOrSrcsetAddress.find(c) != std::string_view::npos) {
      AppendEscaped(out, std::string_view(&c, 1), false);
    } else {
      out += c;
    }
  }
  return out;
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

// The part of an address that relative references share: up to the last '/' of its path.
std::string FolderOfAddress(std::string_view address) {
  address = address.substr(0, address.find_first_of("?#"));
  const std::size_t path = address.find("://");
  const std::size_t slash = address.rfind('/');
  if (path == std::string_view::npos || slash < path + 3) return std::string(address) + "/";
  return std::string(address.substr(0, slash + 1));
}

// Schemes whose references a copy can hold.
bool IsCopiedScheme(std::string_view address) {
  return text::StartsWithNoCase(address, "http:") || text::StartsWithNoCase(address, "https:") ||
         text::StartsWithNoCase(address, "ftp:");
}

}  // namespace

struct ReferenceRewriter::Context {
  std::string base;           // the address the document's references are read from
  std::string canonicalBase;  // the canonical form of the folder of `base`
  std::string localFolder;    // the folder of the document's file
  std::string ownName;        // its file name, escaped
};

ReferenceRewriter::Context ReferenceRewriter::ContextFor(const std::string& base, const std::string& localPath) const {
  Context context{base, CanonicalUrl(FolderOfAddress(base)).value_or(""), FolderOfPath(localPath), {}};
  AppendEscaped(context.ownName, std::string_view(localPath).substr(localPath.rfind('/') + 1), false);
  return context;
}

bool ReferenceRewriter::Translate(std::string_view value, ReferenceRole role, const Context& context,
                                  std::string& translation) {
  // The references met most are plain (nothing to clean, decode or resolve in general).
  std::string_view canonical;
  bool absolute = true;
  std::string address;
  std::size_t fragment = std::string::npos;
  if (IsPlainCanonicalUrl(value)) {
    canonical = value;
  } else if (CanonicalOfPlainReference(context.canonicalBase, value, canonical_)) {
    canonical = canonical_;
    absolute = false;
  } else {
    std::string cleaned;
    if (NeedsCleaning(value)) {
      cleaned = CleanReference(value);
      value = cleaned;
    }
    if (value.empty() || value.front() == '#') return false;
    absolute = HasScheme(value);
    if (absolute && !IsCopiedScheme(value)) return false;
    address = ResolveUrl(context.base, value);
    fragment = address.find('#');
    if (std::optional<std::string> general = IsCopiedScheme(address) ? CanonicalUrl(address) : std::nullopt) {
      canonical_ = std::move(*general);
      canonical = canonical_;
    }
  }
  const std::string* local = canonical.empty() ? nullptr : target_(canonical, role);
  translation.clear();
  if (local != nullptr) {
    AppendRelativeReference(translation, context.localFolder, *local);
    if (fragment != std::string::npos) translation.append(address, fragment);
  } else if (!absolute) {
    translation = address.empty() ? std::string(canonical) : address;
  }
  return local != nullptr || !absolute;
}

std::string ReferenceRewriter::RewriteCssText(std::string_view css, const Context& context) {
  std::string out;
  std::string translation;
  std::size_t copied = 0;
  for (const CssReference& found : FindCssReferences(css)) {
    const std::string_view value = css.substr(found.begin, found.end - found.begin);
    if (!Translate(value, ReferenceRole::kRequisite, context, translation) || translation == value) continue;
    out.append(css, copied, found.begin - copied).append(SafeForCssAndSrcset(translation));
    copied = found.end;
  }
  if (copied == 0) return std::string(css);
  return out.append(css, copied);
}

std::string ReferenceRewriter::RewriteSrcset(std::string_view srcset, const Context& context) {
  std::string out;
  std::string translation;
  std::size_t copied = 0;
  ForEachSrcsetAddress(srcset, [&](std::size_t begin, std::size_t end) {
    const std::string_view value = srcset.substr(begin, end - begin);
    if (!Translate(value, ReferenceRole::kRequisite, context, translation) || translation == value) return;
    out.append(srcset, copied, begin - copied).append(SafeForCssAndSrcset(translation));
    copied = end;
  });
  if (copied == 0) return std::string(srcset);
  return out.append(srcset, copied);
}

std::string ReferenceRewriter::RewriteHtml(std::string html, const CopiedDocument& page) {
  const std::vector<HtmlReference> references = FindHtmlReferences(html);
  std::string base = page.url;
  for (const HtmlReference& found : references) {
    if (found.kind != ValueKind::kBase) continue;
    const std::string written = CleanReference(DecodeAttributeValue(html.substr(found.begin, found.end - found.begin)));
    if (!written.empty()) base = ResolveUrl(page.url, written);
    break;
  }
  const Context context = ContextFor(base, page.localPath);

  std::string out;
  std::size_t copied = 0;
  std::string decoded;
  std::string replacement;
  for (const HtmlReference& found : references) {
    std::string_view value = std::string_view(html).substr(found.begin, found.end - found.begin);
    if (found.attribute && std::find(value.begin(), value.end(), '&') != value.end()) {
      decoded = DecodeAttributeValue(value);
      value = decoded;
    }
    bool replaced = true;
    switch (found.kind) {
      case ValueKind::kUrl:
        replaced = Translate(value, found.role, context, replacement);
        break;
      case ValueKind::kSrcset:
        replacement = RewriteSrcset(value, context);
        break;
      case ValueKind::kStyle:
        replacement = RewriteCssText(value, context);
        break;
      case ValueKind::kBase:
        replacement = context.ownName;
        break;
      case ValueKind::kRefresh: {
        const TextRange address = RefreshAddress(value);
        std::string translation;
        replaced = address.end > address.begin && Translate(value.substr(address.begin, address.end - address.begin),
                                                            found.role, context, translation);
        if (replaced)
          replacement =
              std::string(value.substr(0, address.begin)) + translation + std::string(value.substr(address.end));
        break;
      }
    }
    if (!replaced || replacement == value) continue;
    if (out.empty()) out.reserve(html.size() + html.size() / 8);
    out.append(html, copied, found.begin - copied);
    if (!found.attribute) {
      out += replacement;
    } else if (found.quote == 0) {
      out += '"';
      AppendAttributeValue(out, replacement, '"');
      out += '"';
    } else {
      AppendAttributeValue(out, replacement, found.quote);
    }
    copied = found.end;
  }
  if (copied == 0) return html;
  return out.append(html, copied);
}

std::string ReferenceRewriter::RewriteCss(std::string css, const CopiedDocument& sheet) {
  const Context context = ContextFor(sheet.url, sheet.localPath);
  std::string rewritten = RewriteCssText(css, context);
  return rewritten;
}

}  // namespace vantry::archive

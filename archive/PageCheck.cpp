#include "archive/PageCheck.h"

#include <fnmatch.h>
#include <gumbo.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "archive/LinkChecker.h"
#include "archive/UrlParts.h"
#include "files/WholeFile.h"

namespace vantry::archive {
namespace {

struct PageReferenceSet {
  std::optional<std::string> baseHref;
  std::vector<std::string> links;   // href of each a and area element that has one
  std::vector<std::string> images;  // src of each img element, empty when it has none
};

std::string TrimmedAttribute(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  if (attribute == nullptr) return {};
  std::string_view value = attribute->value;
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
  while (!value.empty() && isSpace(value.front())) value.remove_prefix(1);
  while (!value.empty() && isSpace(value.back())) value.remove_suffix(1);
  return std::string(value);
}

// Walks the document in order without recursion, so deeply nested pages cannot exhaust the stack.
PageReferenceSet CollectReferences(const GumboNode* root) {
  PageReferenceSet found;
  std::vector<const GumboNode*> pending{root};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE && node->type != GUMBO_NODE_DOCUMENT) {
      continue;
    }
    const GumboVector* children = nullptr;
    if (node->type == GUMBO_NODE_DOCUMENT) {
      children = &node->v.document.children;
    } else {
      const GumboElement& element = node->v.element;
      const bool hasHref = gumbo_get_attribute(&element.attributes, "href") != nullptr;
      if ((element.tag == GUMBO_TAG_A || element.tag == GUMBO_TAG_AREA) && hasHref) {
        found.links.push_back(TrimmedAttribute(element, "href"));
      } else if (element.tag == GUMBO_TAG_IMG) {
        found.images.push_back(TrimmedAttribute(element, "src"));
      } else if (element.tag == GUMBO_TAG_BASE && hasHref && !found.baseHref) {
        found.baseHref = TrimmedAttribute(element, "href");
      }
      children = &element.children;
    }
    for (unsigned i = children->length; i > 0; --i) {
      pending.push_back(static_cast<const GumboNode*>(children->data[i - 1]));
    }
  }
  return found;
}

// The pages that `path` names: every regular file of its folder whose name matches the
// wildcards of its file name part, in name order; or the one file when it exists.
std::vector<std::string> MatchingPages(const std::string& path) {
  const std::filesystem::path asPath(path);
  const std::string pattern = asPath.filename().string();
  if (pattern.find_first_of("*?[") == std::string::npos) {
    return std::filesystem::exists(asPath) ? std::vector<std::string>{path} : std::vector<std::string>{};
  }
  std::vector<std::string> pages;
  std::error_code error;
  const std::filesystem::path folder = asPath.has_parent_path() ? asPath.parent_path() : ".";
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && ::fnmatch(pattern.c_str(), entry.path().filename().c_str(), 0) == 0) {
      pages.push_back(entry.path().string());
    }
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

void CheckAll(LinkChecker& checker, const std::string& base, const std::vector<std::string>& references,
              PageCheckMode mode, const char* deadLabel, const char* okLabel, std::string& report) {
  for (const std::string& reference : references) {
    const std::string address = reference.empty() ? std::string() : ResolveUrl(base, reference);
    const bool passed = checker.CheckReference(address);
    if (checker.Stopped()) return;
    if (passed && mode == PageCheckMode::kPassedReferences) report += okLabel + address + "\n";
    if (!passed && mode == PageCheckMode::kDeadReferences) report += deadLabel + address + "\n";
  }
}

}  // namespace

std::string CheckPage(const std::string& path, PageCheckMode mode, UserPrompt& prompt, cache::WorkProgress& work) {
  std::string report;
  LinkChecker checker(prompt, &work);
  for (const std::string& page : MatchingPages(path)) {
    if (checker.Stopped()) break;
    const std::optional<std::string> text = files::ReadWholeFile(page);
    if (!text) {
      prompt.Tell("Error loading file", page);
      continue;
    }
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, text->data(), text->size());
    const PageReferenceSet found = CollectReferences(output->document);
    gumbo_destroy_output(&kGumboDefaultOptions, output);

    const std::string documentUrl = "file://" + std::filesystem::absolute(page).string();
    const std::string base = found.baseHref ? ResolveUrl(documentUrl, *found.baseHref) : documentUrl;
    report += std::to_string(found.links.size()) + " links" + std::string(16, ' ') +
              std::to_string(found.images.size()) + " Images \n";
    CheckAll(checker, base, found.links, mode, "DEAD LINK: ", "Link OK: ", report);
    CheckAll(checker, base, found.images, mode, "DEAD Img: ", "Img OK: ", report);
  }
  return report;
}

}  // namespace vantry::archive

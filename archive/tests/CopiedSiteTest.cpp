// Tree copies of real sites cached by Debian's Firefox, checked the way a browser opening the
// copy from disk would read it: every reference of every copied page and style sheet names a
// copied file, unless the cache does not hold its target.
#include <gumbo.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "archive/CanonicalUrl.h"
#include "archive/SiteTreeCopy.h"
#include "archive/UrlParts.h"
#include "cache/store/CacheAccess.h"
#include "testing/ImportedProfile.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

namespace fs = std::filesystem;

struct Reference {
  std::string text;
};

void AddCssReferences(const std::string& css, std::vector<Reference>& found) {
  static const std::regex kCss(
      R"re(url\(\s*(?:"([^"]*)"|'([^']*)'|([^)\s]*))\s*\)|@import\s+(?:"([^"]*)"|'([^']*)'))re", std::regex::icase);
  for (auto match = std::sregex_iterator(css.begin(), css.end(), kCss); match != std::sregex_iterator(); ++match) {
    for (std::size_t group = 1; group < match->size(); ++group) {
      if ((*match)[group].matched) found.push_back({(*match)[group].str()});
    }
  }
}

void AddPageReferences(const GumboNode* node, std::vector<Reference>& found) {
  if (node->type != GUMBO_NODE_ELEMENT) return;
  const GumboElement& element = node->v.element;
  const std::string tag = gumbo_normalized_tagname(element.tag);
  for (unsigned i = 0; i < element.attributes.length; ++i) {
    const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
    const std::string name = attribute->name;
    const std::string value = attribute->value;
    if (name == "href" || name == "src" || name == "background" || name == "poster" || name == "data") {
      found.push_back({value});
    } else if (name == "srcset") {
      for (std::size_t start = 0; start < value.size();) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        std::istringstream candidate(value.substr(start, comma - start));
        std::string address;
        if (candidate >> address) found.push_back({address});
        start = comma + 1;
      }
    } else if (name == "style") {
      AddCssReferences(value, found);
    } else if (name == "content" && tag == "meta") {
      const std::size_t url = value.find("url=");
      if (url != std::string::npos) found.push_back({value.substr(url + 4)});
    }
  }
  for (unsigned i = 0; i < element.children.length; ++i) {
    const auto* child = static_cast<const GumboNode*>(element.children.data[i]);
    if (tag == "style" && child->type == GUMBO_NODE_TEXT) AddCssReferences(child->v.text.text, found);
    AddPageReferences(child, found);
  }
}

std::vector<Reference> ReferencesOf(const fs::path& file) {
  const std::string text = testing::ReadTestFile(file);
  std::vector<Reference> found;
  if (file.extension() == ".css") {
    AddCssReferences(text, found);
  } else {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, text.data(), text.size());
    AddPageReferences(output->root, found);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  return found;
}

std::string PercentDecoded(const std::string& text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

class CopiedSiteTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  void Copy() {
    store_ = testing::ImportTestProfile(GetParam().first, folder_ / "store");
    paths_ = MakeArchivePaths(folder_.path());
    PrepareArchiveFiles(paths_, prompt_);
    report_ = CopySiteTree(*store_, paths_, {GetParam().second, destination_, kCommentConfirmed, "", true}, prompt_);
  }

  // What stands in the way of a reference of `file` when the copy is opened from disk; empty
  // when it names a copied file or may name the web.
  std::string Fault(const fs::path& file, const Reference& reference) {
    const std::string text = CleanReference(reference.text);
    if (text.empty() || text.starts_with('#') || text.starts_with("mailto:") || text.starts_with("javascript:") ||
        text.starts_with("data:")) {
      return {};
    }
    if (ParseUrl(text)) {
      if (!cache::LookupEntry(*store_, *CanonicalUrl(text))) return {};
      return "still names the web although the cache holds it";
    }
    if (text.find(':') != std::string::npos && text.find(':') < text.find('/')) return "names an unknown scheme";
    const fs::path target =
        (file.parent_path() / PercentDecoded(text.substr(0, text.find_first_of("?#")))).lexically_normal();
    if (!target.string().starts_with(destination_ + "/")) return "leaves the copy";
    if (!fs::is_regular_file(target)) return "names no copied file";
    return {};
  }

  testing::TempFolder folder_;
  std::string destination_ = folder_ / "copy";
  std::unique_ptr<cache::UrlCacheStore> store_;
  ArchivePaths paths_;
  testing::ScriptedPrompt prompt_{false};
  CopyReport report_;
};

TEST_P(CopiedSiteTest, EveryReferenceOfEveryCopiedPageAndStyleSheetWorksFromDisk) {
  fs::create_directories(destination_);
  Copy();
  ASSERT_FALSE(report_.brokenOff);
  EXPECT_TRUE(report_.notCopied.empty());
  int checked = 0;
  int files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(destination_)) {
    const std::string extension = entry.path().extension();
    if (extension != ".html" && extension != ".htm" && extension != ".css") continue;
    ++files;
    for (const Reference& reference : ReferencesOf(entry.path())) {
      ++checked;
      const std::string fault = Fault(entry.path(), reference);
      EXPECT_EQ(fault, "") << entry.path().lexically_relative(destination_).string() << ": " << reference.text;
    }
  }
  EXPECT_GT(files, 10);
  EXPECT_GT(checked, 50);
  RecordProperty("references", checked);
}

INSTANTIATE_TEST_SUITE_P(FirefoxProfiles, CopiedSiteTest,
                         ::testing::Values(std::pair{"corpus/firefox", "http://127.0.0.1:8081/"},
                                           std::pair{"linkforms/firefox", "http://127.0.0.1:8091/docs/guide.html"}),
                         [](const auto& info) { return std::string(info.index == 0 ? "Corpus" : "ReferenceForms"); });

TEST(CopiedSite, ServersOnOnePortEachKeepTheirOwnPages) {
  testing::TempFolder folder;
  const std::unique_ptr<cache::UrlCacheStore> store = testing::ImportTestProfile("corpus/firefox", folder / "store");
  const ArchivePaths paths = MakeArchivePaths(folder.path());
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveFiles(paths, prompt);
  fs::create_directories(folder / "copy");
  CopySiteTree(*store, paths, {"http://127.0.0.1:8082/news/", folder / "copy", kCommentConfirmed, "news", true},
               prompt);
  EXPECT_NE(testing::ReadTestFile(folder / "copy/127.0.0.1_8081/index.html").find("Corpus home"), std::string::npos);
  EXPECT_NE(testing::ReadTestFile(folder / "copy/127.0.0.1_8082/index.html").find("Second server"), std::string::npos);
  EXPECT_NE(testing::ReadTestFile(folder / "copy/localhost_8082/content.html").find("Framed content"),
            std::string::npos);
  const std::string index = testing::ReadTestFile(paths.index);
  EXPECT_NE(index.find(folder / "copy/127.0.0.1_8082/index.html\">127.0.0.1 : news"), std::string::npos);
  EXPECT_EQ(index.find("<UL>"), index.rfind("<UL>"));
}

}  // namespace
}  // namespace vantry::archive

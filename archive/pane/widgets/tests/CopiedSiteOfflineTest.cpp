// Opens tree copies of real cached sites from disk in the web engine with the network refused,
// and counts what failed to load: requests for files the copy lacks and requests to the web.
#include <filesystem>
#include <iostream>

#include <QDirIterator>
#include <QFileInfo>
#include <QSignalSpy>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "archive/SiteTreeCopy.h"
#include "archive/pane/widgets/tests/EngineTestSupport.h"
#include "testing/ImportedProfile.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

namespace fs = std::filesystem;

// Lets the engine read local files only, and notes every request it could not serve: those the
// pages' markup and style sheets make, and apart from them those their scripts make.
class RefusingInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QUrl url = info.requestUrl();
    if (url.scheme() == "data" || url.scheme() == "about") return;
    const bool local = url.isLocalFile();
    if (!local) info.block(true);
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) return;
    if (local && QFileInfo(url.toLocalFile()).isFile()) return;
    const bool scripted = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeXhr;
    (scripted ? failedByScripts : failed) << (local ? "missing " : "web ") + url.toString();
  }
  QStringList failed;
  QStringList failedByScripts;  // addresses scripts build cannot be rewritten
};

// Images that did not load and style sheets that did not apply in the shown page (its frames'
// count comes from their requests).
constexpr const char* kBrokenInPage =
    "String([...document.images].filter(i => !i.complete || i.naturalWidth === 0).length +"
    " [...document.querySelectorAll('link[rel~=stylesheet]')].filter(l => !l.sheet).length)";

class CopiedSiteOfflineTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  void SetUp() override {
    if (!qApp) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
};

TEST_P(CopiedSiteOfflineTest, EveryPageOfTheCopyOpensFromDiskWithEverythingItShows) {
  testing::TempFolder folder;
  const std::unique_ptr<cache::UrlCacheStore> store = testing::ImportTestProfile(GetParam().first, folder / "store");
  const ArchivePaths paths = MakeArchivePaths(folder.path());
  testing::ScriptedPrompt prompt{false};
  PrepareArchiveFiles(paths, prompt);
  fs::create_directories(folder / "copy");
  CopySiteTree(*store, paths, {GetParam().second, folder / "copy", 0, "", true}, prompt);

  QWebEngineProfile profile;
  RefusingInterceptor interceptor;
  profile.setUrlRequestInterceptor(&interceptor);
  QWebEnginePage page(&profile);
  QWebEngineView view;
  view.setPage(&page);
  view.resize(800, 600);
  view.show();
  int pages = 0;
  QDirIterator files(QString::fromStdString(folder / "copy"), {"*.html", "*.htm"}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString file = files.next();
    // A page that moves on by itself (refresh, script) is judged by what it shows first.
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.load(QUrl::fromLocalFile(file));
    ASSERT_TRUE(loaded.wait(30000)) << file.toStdString();
    EXPECT_EQ(Evaluate(&page, kBrokenInPage), "0") << file.toStdString();
    ++pages;
  }
  EXPECT_GT(pages, 10);
  EXPECT_TRUE(interceptor.failed.isEmpty()) << interceptor.failed.join("\n").toStdString();
  RecordProperty("failed_loads", static_cast<int>(interceptor.failed.size()));
  RecordProperty("failed_script_requests", static_cast<int>(interceptor.failedByScripts.size()));
  std::cout << "pages " << pages << ", failed loads " << interceptor.failed.size() << ", failed script requests "
            << interceptor.failedByScripts.join(" ").toStdString() << "\n";
}

INSTANTIATE_TEST_SUITE_P(FirefoxProfiles, CopiedSiteOfflineTest,
                         ::testing::Values(std::pair{"corpus/firefox", "http://127.0.0.1:8081/"},
                                           std::pair{"linkforms/firefox", "http://127.0.0.1:8091/"}),
                         [](const auto& info) { return std::string(info.index == 0 ? "Corpus" : "ReferenceForms"); });

}  // namespace
}  // namespace vantry::archive

int main(int argc, char** argv) { return vantry::archive::RunEngineTests(argc, argv); }

// A user's trial of the cache operations on the demo store, through the assembled program on
// a real display: find a page, copy its server's tree, open the copy from the index page,
// mark the page sticky, delete it, and watch the statistics change.
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/VantryApp.h"
#include "archive/pane/widgets/CVantryView.h"
#include "archive/pane/widgets/tests/EngineTestSupport.h"
#include "cache/store/CacheAccess.h"
#include "cache/widgets/CTabClassView.h"
#include "cache/widgets/CTabResourceView.h"
#include "testing/TempFolder.h"
#include "testing/WidgetTestSupport.h"
#include "tools/vantry-store/DemoSite.h"

namespace vantry::app {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPage = "http://www.vantry-demo.example/docs/guide/intro.html";

// The folders of the trial; main() points the store and the settings into it before
// anything reads them.
const testing::TempFolder& TrialFolder() {
  static testing::TempFolder folder;
  return folder;
}

// Runs `action`, answering the modal windows it opens: a window whose title has an
// answer gets it; any other message box is acknowledged; any other dialog is rejected.
// Returns every window seen as "title: text".
using Answer = std::function<void(QDialog*)>;
std::vector<std::string> AnswerModals(const std::function<void()>& action, std::map<QString, Answer> answers = {}) {
  std::vector<std::string> seen;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    seen.push_back(dialog->windowTitle().toStdString() + ": " + (box ? box->text().toStdString() : ""));
    if (auto answer = answers.find(dialog->windowTitle()); answer != answers.end())
      answer->second(dialog);
    else if (box)
      box->accept();
    else
      dialog->reject();
  });
  poll.start(20);
  action();
  return seen;
}

template <typename Widget>
Widget* ChildWithText(QWidget* parent, const QString& text) {
  for (Widget* child : parent->findChildren<Widget*>())
    if (child->text() == text) return child;
  return nullptr;
}

QUrl FileUrl(const fs::path& path) { return QUrl::fromLocalFile(QString::fromStdString(path.string())); }

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class DemoTrialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qApp) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    const fs::path root = TrialFolder().path();
    fs::create_directories(root / "work");
    fs::create_directories(root / "copies");
    fs::current_path(root / "work");
    {
      cache::StoreOpenResult opened = cache::OpenUrlCacheStore(cache::DefaultStoreFolder());
      ASSERT_TRUE(opened.store) << opened.error;
      storetool::DemoSummary summary;
      ASSERT_EQ(storetool::AddDemoSite(*opened.store, std::time(nullptr), summary), cache::STORE_OK);
    }
    std::string error;
    session_ = VantrySession::Open(error);
    ASSERT_TRUE(session_) << error;
    frame().resize(1280, 800);
    frame().show();
  }

  CMainFrame& frame() { return session_->frame(); }

  // Expands the AccessSort list, which walks the whole cache and publishes what it counted.
  cache::CacheStatistics CountedByAccessSort() {
    cache::CTabResourceView& view = *frame().accessSortView();
    view.collapse(view.Model().RootIndex());
    view.expand(view.Model().RootIndex());
    return frame().PublishedStatistics();
  }

  bool WaitForPage(const std::function<void()>& navigate) {
    QSignalSpy loaded(&session_->view(), &QWebEngineView::loadFinished);
    navigate();
    return loaded.wait(30000) && loaded.first().first().toBool();
  }

  uint32_t TypeOf(const std::string& url) {
    std::optional<cache::CacheEntry> entry = cache::LookupEntry(session_->store(), url);
    return entry ? entry->entryType : 0;
  }

  std::unique_ptr<VantrySession> session_;
};

TEST_F(DemoTrialTest, FindCopyOpenStickyDeleteAndStatistics) {
  using enum CommandId;
  const cache::CacheStatistics before = CountedByAccessSort();
  ASSERT_GT(before[cache::CacheStatistics::kTotal], 20u);

  // Find the page by a part of its name, among the HTML files.
  std::vector<std::string> seen = AnswerModals([&] { frame().action(FindFilesInCache)->trigger(); },
                                               {{"Find files", [](QDialog* dialog) {
                                                   dialog->findChildren<QLineEdit*>().first()->setText("intro");
                                                   QCheckBox* html = ChildWithText<QCheckBox>(dialog, "Html-Files");
                                                   if (!html->isChecked()) html->click();
                                                   dialog->accept();
                                                 }}});
  EXPECT_EQ(seen, std::vector<std::string>{"Find files: "});
  cache::CTabClassView& alphaSort = *frame().alphaSortView();
  ASSERT_TRUE(alphaSort.IsExpanded());
  bool selected = false;
  seen = AnswerModals([&] { selected = testing::SelectChild(alphaSort, alphaSort.Model(), kPage); });
  ASSERT_TRUE(selected);
  EXPECT_TRUE(seen.empty()) << seen.front();
  EXPECT_EQ(frame().addressBox()->currentText().toStdString(), kPage);
  EXPECT_EQ(frame().currentEntry().address, kPage);

  // Copy the server's tree into an existing folder, with a comment for the index page.
  const fs::path copies = TrialFolder().path() / "copies";
  seen = AnswerModals([&] { frame().action(CopyReconstructingTree)->trigger(); },
                      {{"Select directory to copy to",
                        [&](QDialog* dialog) {
                          dialog->findChildren<QLineEdit*>().first()->setText(QString::fromStdString(copies.string()));
                          dialog->accept();
                        }},
                       {"Comment", [](QDialog* dialog) {
                          dialog->findChildren<QLineEdit*>().first()->setText("Harbour guide");
                          dialog->accept();
                        }}});
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "Select directory to copy to: ");
  EXPECT_EQ(seen[1], "Comment: ");
  const std::string index = FileText(TrialFolder().path() / "work" / "indexfil.htm");
  EXPECT_NE(index.find("Harbour guide"), std::string::npos) << index;

  // The index page leads to the copy of the server's start page (in the server's own folder),
  // and that to the copy of the page, which shows with its images and style sheet from the copy.
  const fs::path server = copies / "www.vantry-demo.example";
  ASSERT_TRUE(WaitForPage([&] { frame().action(Index)->trigger(); }));
  QWebEnginePage* page = session_->view().page();
  EXPECT_EQ(archive::Evaluate(page, "document.title"), "List of locally available Documents");
  ASSERT_TRUE(WaitForPage([&] { archive::Evaluate(page, "document.querySelector('a').click()"); }));
  EXPECT_EQ(archive::Evaluate(page, "document.title"), "Harbour Lights - lighthouse tours along the coast");
  ASSERT_TRUE(WaitForPage(
      [&] { archive::Evaluate(page, "document.querySelector('a[href=\"docs/guide/intro.html\"]').click()"); }));
  EXPECT_EQ(session_->view().url(), FileUrl(server / "docs/guide/intro.html"));
  EXPECT_EQ(archive::Evaluate(page, "document.title"), "Introduction - Visitor guide");
  EXPECT_EQ(
      archive::Evaluate(page,
                        "JSON.stringify(Array.from(document.images).map(i => [i.getAttribute('src'), i.complete && "
                        "i.naturalWidth > 0]))"),
      "[[\"../../images/logo.gif\",true],[\"../../images/harbour.jpg\",true]]");
  EXPECT_EQ(archive::Evaluate(page, "document.styleSheets[0].href"),
            FileUrl(server / "style/site.css").toString().toStdString());
  EXPECT_EQ(archive::Evaluate(page, "String(document.styleSheets[0].cssRules.length > 0)"), "true");

  // Mark the page sticky, then delete it.
  seen = AnswerModals([&] { frame().action(StickyFile)->trigger(); });
  EXPECT_EQ(seen, std::vector<std::string>{std::string(kPage) + ": Setting File to sticky:"});
  EXPECT_NE(TypeOf(kPage) & cache::STICKY_CACHE_ENTRY, 0u);

  seen = AnswerModals([&] { frame().action(DeleteCacheEntry)->trigger(); });
  EXPECT_TRUE(seen.empty()) << seen.front();
  EXPECT_FALSE(cache::LookupEntry(session_->store(), kPage).has_value());

  // The next walk counts one page less; the Properties box says so.
  const cache::CacheStatistics after = CountedByAccessSort();
  EXPECT_EQ(after[cache::CacheStatistics::kTotal], before[cache::CacheStatistics::kTotal] - 1);
  seen = AnswerModals([&] { frame().action(Properties)->trigger(); });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].find(std::to_string(after[cache::CacheStatistics::kTotal])), std::string::npos) << seen[0];
}

}  // namespace

int Main(int argc, char** argv) {
  return archive::RunEngineTests(argc, argv, [] {
    // The store and the settings live in the trial's folder, never in the user's.
    setenv("VANTRY_STORE", (TrialFolder().path() / "store").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (TrialFolder().path() / "config").c_str(), 1);
  });
}

}  // namespace vantry::app

int main(int argc, char** argv) { return vantry::app::Main(argc, argv); }

// Shows a cached page by address on a real display and checks that the page and all its
// resources came from the store while the site's own server saw no connection at all.
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

#include "archive/pane/widgets/CVantryDoc.h"
#include "archive/pane/widgets/CVantryView.h"
#include "archive/pane/widgets/OfflineEngine.h"
#include "archive/pane/widgets/OfflineSchemeHandler.h"
#include "archive/pane/widgets/tests/EngineTestSupport.h"
#include "cache/store/UrlCacheStore.h"
#include "testing/TempFolder.h"

namespace vantry::archive {

namespace {

std::string PngBytes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

void Settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

class OfflineViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!qApp) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    ASSERT_TRUE(server_.listen(QHostAddress::LocalHost));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { ++connections_; });
    site_ = "http://127.0.0.1:" + std::to_string(server_.serverPort());
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder_.path() / "store");
    ASSERT_TRUE(opened.store) << opened.error;
    store_ = std::move(opened.store);
  }

  void Cache(const std::string& path, const std::string& headers, const std::string& body) {
    cache::NewEntry entry;
    entry.url = site_ + path;
    entry.headers = "HTTP/1.1 200 OK\r\n" + headers + "\r\n";
    entry.content = body;
    ASSERT_EQ(store_->AddEntry(entry), cache::STORE_OK);
  }

  testing::TempFolder folder_;
  QTcpServer server_;
  int connections_ = 0;
  std::string site_;
  std::unique_ptr<cache::UrlCacheStore> store_;
};

TEST_F(OfflineViewTest, CachedPageComesWithItsResourcesFromTheStoreAndNothingFromTheNetwork) {
  const std::string page =
      "<!doctype html><html><head>"
      "<link rel=\"preconnect\" href=\"" +
      site_ +
      "/\">"
      "<link rel=\"stylesheet\" href=\"/site/style.css\">"
      "<script src=\"" +
      site_ +
      "/site/app.js\"></script>"
      "</head><body><img id=\"logo\" src=\"img/logo.png\"><img id=\"gone\" src=\"img/gone.png\">"
      "<iframe src=\"" +
      site_ + "/elsewhere.html\"></iframe></body></html>";
  Cache("/site/page.html", "Content-Type: text/html; charset=utf-8", page);
  // The store keeps bodies decoded; serving this one as gzip would lose the style.
  Cache("/site/style.css", "Content-Type: text/css\r\nContent-Encoding: gzip",
        "body { background-color: rgb(1, 2, 3); }");
  Cache("/site/app.js", "Content-Type: application/javascript", "window.scriptRan = 'yes';");
  Cache("/site/img/logo.png", "Content-Type: image/png", PngBytes(7, 5));

  OfflineProfile profile(*store_);
  QStringList served;
  QObject::connect(profile.handler(), &OfflineSchemeHandler::Served,
                   [&](const QString& address) { served << address; });
  CVantryDoc document;
  {
    CVantryView view(document, profile.profile());
    view.SetScriptsEnabled(true);  // the page's script is served from the store too
    view.resize(800, 600);
    view.show();
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.ShowAddress(site_ + "/site/page.html");
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.first().first().toBool());

    EXPECT_EQ(Evaluate(view.page(), "String(document.getElementById('logo').naturalWidth)"), "7");
    EXPECT_EQ(Evaluate(view.page(), "String(document.getElementById('gone').naturalWidth)"), "0");
    EXPECT_EQ(Evaluate(view.page(), "String(window.scriptRan)", QWebEngineScript::MainWorld), "yes");
    EXPECT_EQ(Evaluate(view.page(), "getComputedStyle(document.body).backgroundColor"), "rgb(1, 2, 3)");
    Settle(500);
  }
  const QString site = QString::fromStdString(site_);
  EXPECT_TRUE(served.contains(site + "/site/page.html")) << served.join(' ').toStdString();
  EXPECT_TRUE(served.contains(site + "/site/style.css"));
  EXPECT_TRUE(served.contains(site + "/site/app.js"));
  EXPECT_TRUE(served.contains(site + "/site/img/logo.png"));
  EXPECT_EQ(connections_, 0);
}

TEST_F(OfflineViewTest, EntriesAreShownOnlyAfterTheStartPageAndByFileInTheLocalView) {
  Cache("/a.html", "Content-Type: text/html", "<html><body>a</body></html>");
  OfflineProfile profile(*store_);
  CVantryDoc document;
  CVantryView view(document, profile.profile());
  const cache::CurrentEntry entry{site_ + "/a.html", "/tmp/cached/a.html"};

  view.ShowEntry(entry, false);
  EXPECT_TRUE(view.url().isEmpty());
  EXPECT_TRUE(view.IsQuiet());

  document.OnNewDocument();
  EXPECT_FALSE(view.url().isEmpty());

  view.ShowEntry(entry, false);
  EXPECT_EQ(view.url().toString().toStdString(),
            "vantry-http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/a.html");
  view.ShowEntry(entry, true);
  EXPECT_EQ(view.url(), QUrl::fromLocalFile("/tmp/cached/a.html"));
  // An entry with nothing to show clears the pane instead of leaving the last page.
  view.ShowEntry({"Cookie:root@127.0.0.1/", "None"}, true);
  EXPECT_EQ(view.url(), QUrl("about:blank"));
  view.ShowEntry({}, false);
  EXPECT_EQ(view.url(), QUrl("about:blank"));
  EXPECT_EQ(connections_, 0);
}

// Started in a folder without "ebstract.htm" the pane shows the program's own start page;
// a folder with one shows that.
TEST_F(OfflineViewTest, StartPageFromTheWorkingFolderElseFromTheProgram) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path elsewhere = folder_.path() / "elsewhere";
  const std::filesystem::path own = folder_.path() / "own";
  std::filesystem::create_directories(elsewhere);
  std::filesystem::create_directories(own);
  std::ofstream(own / "ebstract.htm") << "<html><head><title>My start</title></head></html>";
  OfflineProfile profile(*store_);
  struct Row {
    std::filesystem::path folder;
    QUrl url;
    std::string title;
  } rows[] = {
      {elsewhere, QUrl("qrc:/vantry/ebstract.htm"), "Vantry"},
      {own, QUrl::fromLocalFile(QString::fromStdString((own / "ebstract.htm").string())), "My start"},
  };
  for (const Row& row : rows) {
    std::filesystem::current_path(row.folder);
    CVantryDoc document;
    CVantryView view(document, profile.profile());
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    document.OnNewDocument();
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.first().first().toBool()) << row.folder;
    EXPECT_EQ(view.url(), row.url);
    EXPECT_EQ(view.title().toStdString(), row.title);
  }
  std::filesystem::current_path(before);
}

// A cached page whose script would rewrite it is shown as cached until the user lets
// scripts run; nothing reaches the network either way.
TEST_F(OfflineViewTest, PageScriptsStayOffUntilTurnedOn) {
  Cache("/clock.html", "Content-Type: text/html",
        "<html><body><p id=\"time\">as cached</p><script>"
        "document.getElementById('time').textContent = 'now ' + Date.now();"
        "fetch('" +
            site_ +
            "/beacon').catch(() => {});"
            "</script></body></html>");
  OfflineProfile profile(*store_);
  CVantryDoc document;
  CVantryView view(document, profile.profile());
  view.show();
  EXPECT_FALSE(view.ScriptsEnabled());
  auto shownText = [&] { return Evaluate(view.page(), "document.getElementById('time').textContent"); };
  {
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.ShowAddress(site_ + "/clock.html");
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_EQ(shownText(), "as cached");
  }
  {
    QSignalSpy reloaded(&view, &QWebEngineView::loadFinished);
    view.SetScriptsEnabled(true);  // the page on show is loaded again
    ASSERT_TRUE(reloaded.wait(30000));
    EXPECT_TRUE(view.ScriptsEnabled());
    EXPECT_TRUE(shownText().starts_with("now ")) << shownText();
  }
  Settle(300);
  EXPECT_EQ(connections_, 0);
}

// Loads the page and reports the text of every dialog the page opened (closing each).
QStringList DialogsWhileShowing(CVantryView& view, const std::string& address) {
  QStringList dialogs;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&dialogs] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      dialogs << box->text();
      box->accept();
    }
  });
  closer.start(50);
  QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
  view.ShowAddress(address);
  loaded.wait(30000);
  Settle(300);
  return dialogs;
}

TEST_F(OfflineViewTest, QuietPanesShowNoDialogsOfThePage) {
  Cache("/alert.html", "Content-Type: text/html", "<html><body><script>alert('hello');</script></body></html>");
  OfflineProfile profile(*store_);
  CVantryDoc document;
  CVantryView view(document, profile.profile());
  view.SetScriptsEnabled(true);
  view.show();
  EXPECT_TRUE(DialogsWhileShowing(view, site_ + "/alert.html").isEmpty());
  EXPECT_FALSE(view.ToggleQuiet());
  EXPECT_EQ(DialogsWhileShowing(view, site_ + "/alert.html"), QStringList{"hello"});
}

}  // namespace

}  // namespace vantry::archive

int main(int argc, char** argv) { return vantry::archive::RunEngineTests(argc, argv); }

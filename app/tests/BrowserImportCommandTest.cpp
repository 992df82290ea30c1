// "Import from browser...": its dialog, its progress and what it leaves in the store.
#include "app/BrowserImportCommand.h"

#include <QDialogButtonBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/BrowserImportDialog.h"
#include "app/ImportProgressDialog.h"
#include "app/tests/FrameTestSupport.h"
#include "cache/store/CacheAccess.h"
#include "import/BrowserImport.h"
#include "import/tests/CorpusProfiles.h"
#include "testing/ScriptedPrompt.h"

namespace vantry::app {

namespace {

namespace fs = std::filesystem;

// A home with a Firefox and a Chromium profile of the corpus, a few cache entries each.
class BrowserImportCommandTest : public ::testing::Test {
 protected:
  BrowserImportCommandTest() {
    testing::WriteTestFile(home / ".mozilla/firefox/profiles.ini",
                           "[Profile0]\nName=default\nIsRelative=1\nPath=abc.default\nDefault=1\n");
    import::CopyCorpusFirefoxProfile(home.path() / ".mozilla/firefox/abc.default",
                                     home.path() / ".cache/mozilla/firefox/abc.default/cache2", import::CacheCopy::Few);
    import::CopyCorpusChromiumProfile(home.path() / ".config/chromium/Default",
                                      home.path() / ".cache/chromium/Default/Cache/Cache_Data", import::CacheCopy::Few);
    store = cache::OpenUrlCacheStore(storeFolder.path()).store;
  }

  void Run(ImportAsked asked, const testing::TempFolder& from) {
    RunBrowserImport({nullptr, *store, prompt, [this] { ++resets; }},
                     {from.path(), from.path() / ".config", from.path() / ".cache"}, asked);
  }

  // The browser each content entry was imported from.
  std::vector<std::string> Browsers() {
    std::vector<std::string> browsers;
    cache::WalkCache(*store, "", [&](cache::CacheEntry& entry) {
      cache::EntryOrigin origin;
      if (cache::IsContentEntry(entry))
        browsers.push_back(store->GetEntryOrigin(entry.sourceUrl, origin) == cache::STORE_OK ? origin.browser : "");
    });
    return browsers;
  }

  testing::TempFolder home, storeFolder;
  std::unique_ptr<cache::UrlCacheStore> store;
  testing::ScriptedPrompt prompt;
  int resets = 0;
};

TEST_F(BrowserImportCommandTest, ListsEveryProfileWithItsCacheSizeAndImportsTheCheckedOnes) {
  std::vector<QStringList> rows;
  bool importEnabledWithNone = true;
  RunModal([&] { Run(ImportAsked::FromMenu, home); },
           [&](QWidget* modal) {
             auto* dialog = qobject_cast<BrowserImportDialog*>(modal);
             ASSERT_NE(dialog, nullptr);
             QTreeWidget* list = dialog->profiles();
             for (int row = 0; row < list->topLevelItemCount(); ++row) {
               QTreeWidgetItem* item = list->topLevelItem(row);
               rows.push_back({item->text(0), item->text(1), item->text(2),
                               item->checkState(0) == Qt::Checked ? "checked" : "unchecked"});
             }
             QPushButton* import = dialog->buttons()->button(QDialogButtonBox::Ok);
             list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
             list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
             importEnabledWithNone = import->isEnabled();
             list->topLevelItem(0)->setCheckState(0, Qt::Checked);
             import->click();
           });
  auto size = [&](const fs::path& folder) {
    return QString::fromStdString(import::ByteSizeText(import::FolderBytes(home.path() / folder)));
  };
  EXPECT_EQ(rows, (std::vector<QStringList>{
                      {"Firefox", "default", size(".cache/mozilla/firefox/abc.default/cache2"), "checked"},
                      {"Chromium", "Default", size(".cache/chromium/Default/Cache/Cache_Data"), "checked"}}));
  EXPECT_FALSE(importEnabledWithNone);

  std::vector<std::string> browsers = Browsers();
  ASSERT_FALSE(browsers.empty());
  EXPECT_EQ(browsers, std::vector<std::string>(browsers.size(), "Firefox"));
  ASSERT_EQ(prompt.told.size(), 1u);
  EXPECT_EQ(prompt.told[0].title, "Import from browser");
  EXPECT_TRUE(prompt.told[0].text.starts_with(
      "Firefox, profile \"default\":\nCache entries: " + std::to_string(browsers.size()) + " imported"))
      << prompt.told[0].text;
  EXPECT_EQ(resets, 1);
}

TEST_F(BrowserImportCommandTest, NothingIsImportedWithoutAChoiceAndNoProfileIsToldOnlyWhenAsked) {
  RunModal([&] { Run(ImportAsked::FromMenu, home); });  // the dialog is cancelled
  EXPECT_TRUE(cache::WalkCache(*store, "", [](cache::CacheEntry&) { ADD_FAILURE() << "imported"; }) ==
              cache::WalkResult::Normal);
  EXPECT_TRUE(prompt.told.empty());

  testing::TempFolder emptyHome;
  Run(ImportAsked::AtFirstStart, emptyHome);
  EXPECT_TRUE(prompt.told.empty());
  Run(ImportAsked::FromMenu, emptyHome);
  EXPECT_EQ(prompt.told, (std::vector<testing::PromptCall>{{"No browser profile was found.", "Import from browser"}}));
  EXPECT_EQ(resets, 0);
}

TEST(ImportProgressDialogTest, ShowsTheWorkAndItsCountAndCancelStopsIt) {
  ImportProgressDialog progress(nullptr);
  progress.Begin("Importing Firefox, profile \"default\" (1 of 1)");
  EXPECT_TRUE(progress.dialog()->isVisible());
  EXPECT_EQ(progress.dialog()->labelText(), "Importing Firefox, profile \"default\" (1 of 1)");
  EXPECT_TRUE(progress.KeepGoing(4, 4));
  EXPECT_EQ(progress.dialog()->maximum(), 4);
  EXPECT_EQ(progress.dialog()->value(), 4);
  QPushButton* cancel = progress.dialog()->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  cancel->click();
  EXPECT_FALSE(progress.KeepGoing(1, 4));
}

}  // namespace

}  // namespace vantry::app

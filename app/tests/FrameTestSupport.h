#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "cache/store/UrlCacheStore.h"
#include "testing/TempFolder.h"

namespace vantry::app {

// A pane that records what the frame asks of it.
class FakePane : public QWidget, public archive::HtmlPane {
 public:
  std::vector<std::string> calls;
  bool quiet = true;

  void ShowEntry(const cache::CurrentEntry& entry, bool localView) override {
    calls.push_back("ShowEntry " + entry.address + (localView ? " local" : " address"));
  }
  void ShowAddress(std::string_view address) override { calls.push_back("ShowAddress " + std::string(address)); }
  void GoBack() override { calls.push_back("GoBack"); }
  void GoForward() override { calls.push_back("GoForward"); }
  void SetFontSize(archive::FontSize size) override { calls.push_back("SetFontSize " + std::to_string(int(size))); }
  void Copy() override { calls.push_back("Copy"); }
  void Cut() override { calls.push_back("Cut"); }
  void Paste() override { calls.push_back("Paste"); }
  void SelectAll() override { calls.push_back("SelectAll"); }
  void FindInPage() override { calls.push_back("FindInPage"); }
  void SaveRawAs() override { calls.push_back("SaveRawAs"); }
  void Print() override { calls.push_back("Print"); }
  void OpenFile() override { calls.push_back("OpenFile"); }
  bool ToggleQuiet() override { return quiet = !quiet; }
  bool IsQuiet() const override { return quiet; }
  void SetScriptsEnabled(bool enabled) override {
    scripts = enabled;
    calls.push_back(enabled ? "SetScriptsEnabled on" : "SetScriptsEnabled off");
  }
  bool ScriptsEnabled() const override { return scripts; }
  bool scripts = false;
};

// A frame on a fresh store with fresh settings files.
class FrameTest : public ::testing::Test {
 protected:
  FrameTest()
      : settings_(QString::fromStdString((folder_.path() / "OfflineVantry.ini").string()),
                  QString::fromStdString((folder_.path() / "profile.ini").string())) {
    cache::StoreOpenResult opened = cache::OpenUrlCacheStore(folder_.path() / "store");
    store_ = std::move(opened.store);
  }

  std::unique_ptr<CMainFrame> MakeFrame() {
    auto* pane = new FakePane;
    pane_ = pane;
    return std::make_unique<CMainFrame>(
        FrameParts{*store_, settings_, *pane, pane, archive::MakeArchivePaths("/work")});
  }

  testing::TempFolder folder_;
  AppSettings settings_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  FakePane* pane_ = nullptr;  // owned by the frame
};

// What a modal dialog showed before it was closed.
struct ModalSeen {
  QString title;
  QString text;
  QWidget* widget = nullptr;
};

// Runs `action`, which opens a modal dialog; `respond` sees the dialog and closes it.
inline ModalSeen RunModal(const std::function<void()>& action, const std::function<void(QWidget*)>& respond = {}) {
  ModalSeen seen;
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [&seen, &respond, poll] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      QTimer::singleShot(10, *poll);
      return;
    }
    seen.title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) seen.text = box->text();
    if (respond)
      respond(modal);
    else
      QMetaObject::invokeMethod(modal, "reject");
  };
  QTimer::singleShot(0, *poll);
  action();
  *poll = nullptr;
  return seen;
}

}  // namespace vantry::app

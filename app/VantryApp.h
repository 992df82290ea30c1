#pragma once

#include <memory>
#include <string>

#include "archive/ArchivePaths.h"

class AppSettings;
class CMainFrame;
class CVantryDoc;
class CVantryView;
class OfflineProfile;
class QApplication;
class UrlCacheStore;
class WiredCacheCommands;

// Everything a running vantry holds, assembled the way it starts: settings, the cache store,
// the archive files in the working directory, the document, the frame with its view, and the
// cache commands wired to the frame. The window is not shown yet.
class VantrySession {
 public:
  // Opens the default store; nullptr and `error` when it cannot be opened.
  static std::unique_ptr<VantrySession> Open(std::string& error);
  ~VantrySession();

  CMainFrame& frame() const { return *frame_; }
  CVantryDoc& document() const { return *document_; }
  CVantryView& view() const { return *view_; }
  UrlCacheStore& store() const { return *store_; }
  WiredCacheCommands& commands() const { return *commands_; }

 private:
  VantrySession() = default;

  std::unique_ptr<AppSettings> settings_;
  std::unique_ptr<UrlCacheStore> store_;
  vantry::archive::ArchivePaths paths_;
  std::unique_ptr<OfflineProfile> profile_;
  std::unique_ptr<CVantryDoc> document_;
  CVantryView* view_ = nullptr;  // owned by the frame
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<WiredCacheCommands> commands_;
};

// Start-up: opens a session, shows the window maximized with the start page and runs until
// it closes. Returns the exit code.
int RunVantry(QApplication& app);

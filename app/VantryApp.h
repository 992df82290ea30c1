#pragma once

#include <memory>
#include <string>

#include "archive/ArchivePaths.h"

namespace vantry::archive {
class CVantryDoc;
}
namespace vantry::archive {
class CVantryView;
}
namespace vantry::archive {
class OfflineProfile;
}
class QApplication;
namespace vantry::cache {
class UrlCacheStore;
}

namespace vantry::app {

class AppSettings;
class CMainFrame;
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
  archive::CVantryDoc& document() const { return *document_; }
  archive::CVantryView& view() const { return *view_; }
  cache::UrlCacheStore& store() const { return *store_; }
  WiredCacheCommands& commands() const { return *commands_; }
  AppSettings& settings() const { return *settings_; }

 private:
  VantrySession() = default;

  std::unique_ptr<AppSettings> settings_;
  std::unique_ptr<cache::UrlCacheStore> store_;
  archive::ArchivePaths paths_;
  std::unique_ptr<archive::OfflineProfile> profile_;
  std::unique_ptr<archive::CVantryDoc> document_;
  archive::CVantryView* view_ = nullptr;  // owned by the frame
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<WiredCacheCommands> commands_;
};

// Start-up: opens a session, shows the window maximized with the start page and runs until
// it closes. Returns the exit code.
int RunVantry(QApplication& app);

}  // namespace vantry::app

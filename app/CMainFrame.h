#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QMainWindow>

#include "app/ActionTable.h"
#include "archive/ArchivePaths.h"
#include "archive/pane/HtmlPane.h"
#include "cache/lists/SearchRequest.h"
#include "cache/lists/ShowMask.h"
#include "cache/services/FrameServices.h"
#include "cache/store/CacheStatistics.h"
#include "ops/dialogs/QtCommandServices.h"

namespace vantry::inspect {
class CMemoryBar;
}
namespace vantry::inspect {
class COutputBar;
}
namespace vantry::cache {
class CTabClassView;
}
namespace vantry::inspect {
class CTabFileView;
}
namespace vantry::cache {
class CTabResourceView;
}
namespace vantry::cache {
class EntryPanes;
}
class QComboBox;
class QDockWidget;
class QLabel;
class QTabWidget;
class QToolBar;
namespace vantry::cache {
class UrlCacheStore;
}

namespace vantry::app {

class AppSettings;
class FramePanes;
class FrameStatusBar;

// What the frame is built from; everything outlives the frame.
struct FrameParts {
  cache::UrlCacheStore& store;
  AppSettings& settings;
  archive::HtmlPane& pane;
  QWidget* paneWidget;                 // the pane as a widget: the frame's central widget
  archive::ArchivePaths archivePaths;  // the archive files, the index page among them
};

// The main window: menus, toolbars, address box, status bar and the workspace, output and
// memory docks around the HTML pane. It routes every command by its id, offers the views
// the frame services and owns the records the lists and commands share.
class CMainFrame : public QMainWindow, public cache::FrameServices {
  Q_OBJECT
 public:
  using CommandHandler = std::function<void()>;

  explicit CMainFrame(FrameParts parts, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // FrameServices
  void SetStatusText(std::string_view text) override;
  void EnsureProgressBar() override;
  void StepProgress() override;
  void ResetProgress() override;
  // The animation plays while any work runs.
  std::unique_ptr<cache::WorkProgress> BeginWork(std::string_view what) override;
  void SetAddress(std::string_view text) override;
  void PublishStatistics(const cache::CacheStatistics& statistics) override { statistics_ = statistics; }
  const cache::CacheStatistics& PublishedStatistics() const override { return statistics_; }
  void RegisterExpandedList(cache::ExpandedList* list) override { lastExpanded_ = list; }
  cache::ExpandedList* LastExpandedList() const override { return lastExpanded_; }

  // Makes `entry` the current entry and shows it in the pane (by file in the local view).
  void ShowCurrentEntry(const cache::CurrentEntry& entry);
  bool localView() const { return localView_; }
  bool flatLook() const { return flatLook_; }

  // Gives a command its work; commands of the copy, delete, sticky and find operations
  // do nothing until their handler is set here.
  void SetCommandHandler(CommandId id, CommandHandler handler);
  // Replaces what the address box's text does at the end of an edit (by default it becomes
  // the alphabetical list's request).
  void SetAddressEditHandler(std::function<void(const std::string&)> handler);

  QAction* action(CommandId id) const { return actions_[id]; }
  FrameStatusBar* frameStatusBar() const { return status_; }
  QComboBox* addressBox() const { return address_; }
  QToolBar* mainToolBar() const { return mainToolBar_; }
  QToolBar* navigationBar() const { return navigationBar_; }
  QLabel* animation() const { return animation_; }
  QDockWidget* workspaceBar() const { return workspace_; }
  QDockWidget* outputBar() const { return output_; }
  QDockWidget* memoryBar() const { return memory_; }
  QTabWidget* workspaceTabs() const { return tabs_; }

  // What the cache commands work with. The views and bars live in the docks.
  cache::UrlCacheStore& store() const { return parts_.store; }
  AppSettings& settings() const { return parts_.settings; }
  const archive::ArchivePaths& archivePaths() const { return parts_.archivePaths; }
  cache::FrameServices& services() { return *this; }
  cache::EntryPanes& entryPanes() const;
  archive::UserPrompt& prompt() { return prompt_; }
  cache::SearchRequest& searchRequest() { return request_; }
  cache::ShowMask& showMask() { return showMask_; }
  cache::CurrentEntry& currentEntry() { return currentEntry_; }
  cache::CTabClassView* alphaSortView() const { return alphaSort_; }
  cache::CTabResourceView* accessSortView() const { return accessSort_; }
  inspect::CTabFileView* historyView() const { return history_; }
  inspect::COutputBar* outputView() const { return outputView_; }
  inspect::CMemoryBar* memoryView() const { return memoryView_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // MainFrameMenus.cpp
  void BuildMenus();
  // MainFrameToolbars.cpp
  void BuildMainToolBar();
  void BuildNavigationBar();
  void BuildAddressBar();
  void BuildAnimation();
  void PlayAnimation(bool play);
  // MainFrameDocks.cpp
  void BuildDocks();
  void BuildListTabs();
  void ApplyFlatLook();
  void RestoreLayout();
  // The bars the View menu shows and hides, with their commands.
  std::vector<std::pair<CommandId, QWidget*>> ViewBars() const;
  void ShowViewBarStates();
  // MainFrameCommands.cpp
  void RouteCommands();
  void Dispatch(CommandId id);
  void ToggleLocalView();
  void ShowEntryInPane();
  void ApplyPageScripts(bool enabled);
  void ShowProperties();
  void ShowPreferences();
  void ShowAbout();
  void MoveFocusToPane(int direction);

  FrameParts parts_;
  ops::MessageBoxPrompt prompt_{this};
  // The process-wide records of the lists and commands.
  cache::SearchRequest request_;
  cache::ShowMask showMask_;
  cache::CurrentEntry currentEntry_;
  std::unique_ptr<FramePanes> panes_;
  ActionSet actions_;
  std::map<CommandId, CommandHandler> handlers_;
  std::function<void(const std::string&)> addressEdited_;

  FrameStatusBar* status_ = nullptr;
  QToolBar* mainToolBar_ = nullptr;
  QToolBar* navigationBar_ = nullptr;
  QToolBar* addressBar_ = nullptr;
  QComboBox* address_ = nullptr;
  QLabel* animation_ = nullptr;
  QDockWidget* workspace_ = nullptr;
  QDockWidget* output_ = nullptr;
  QDockWidget* memory_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  cache::CTabClassView* alphaSort_ = nullptr;
  cache::CTabResourceView* accessSort_ = nullptr;
  inspect::CTabFileView* history_ = nullptr;
  inspect::COutputBar* outputView_ = nullptr;
  inspect::CMemoryBar* memoryView_ = nullptr;

  int runningWorks_ = 0;
  bool localView_ = false;
  bool flatLook_ = false;
  cache::CacheStatistics statistics_;
  cache::ExpandedList* lastExpanded_ = nullptr;
};

}  // namespace vantry::app

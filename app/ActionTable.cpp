#include "app/ActionTable.h"

#include <QAction>
#include <QCoreApplication>

#include "app/ThemeIcons.h"

namespace vantry::app {

namespace {

using enum CommandId;

const ActionDefinition kActions[] = {
    {New, "&New\tCtrl+N", "document-new", "Show the start page again", "New"},
    {Open, "&Open...\tCtrl+O", "document-open", "Open a local file in the page view", "Open"},
    {Save, "&Save...", "document-save", "Copy the shown page to a folder", "Save"},
    {SaveAs, "Save &As", "document-save-as", "Copy the shown page to a folder of your choice", "Save As"},
    {SaveRawAs, "Save raw as", "document-save-as", "Save the shown page as it stands", "Save raw as"},
    {ImportFromBrowser, "Import from browser...", "", "Import the cache, history and cookies of browser profiles", ""},
    {Preferences, "Preferences", "preferences-system", "Set the date format", "Preferences"},
    {Print, "&Print...\tCtrl+P", "document-print", "Print the shown page", "Print"},
    {PrintSetup, "P&rint Setup...", "document-page-setup", "Choose a printer and print the shown page", "Print Setup"},
    {Exit, "E&xit", "application-exit", "Quit Vantry", "Exit"},
    {Undo, "&Undo\tCtrl+Z", "edit-undo", "Undo", "Undo"},
    {Copy, "Copy", "edit-copy", "Copy the selection to the clipboard", "Copy"},
    {Cut, "Cut", "edit-cut", "Cut the selection to the clipboard", "Cut"},
    {Paste, "Paste", "edit-paste", "Paste the clipboard", "Paste"},
    {SelectAll, "Select All", "edit-select-all", "Select the whole page", "Select All"},
    {ToolBar, "&Toolbar", "", "Show or hide the toolbar", "Toolbar", true},
    {NavigationBar, "Na&vigationBar", "", "Show or hide the navigation bar", "Navigation bar", true},
    {StatusBar, "&Status Bar", "", "Show or hide the status bar", "Status bar", true},
    {Workspace, "&Workspace", "sidebar-show", "Show or hide the workspace with the lists", "Workspace", true},
    {Output, "&Output", "utilities-terminal", "Show or hide the output bar", "Output", true},
    {Memory, "&Memory", "vantry-memory", "Show or hide the memory bar", "Memory", true},
    {DoNotAsk, "&Do Not Ask", "notifications-disabled", "Do Not ask Questions", "Quiet operation", true},
    {PageScripts, "Run Page &Scripts", "", "Let the scripts of cached pages run; they stay off the network",
     "Page scripts", true},
    {Help, "&HELP", "help-contents", "Show the help page", "Help"},
    {About, "&About Vantry...", "help-about", "Program information and copyright", "About"},
    {AlphaSortToggle, "AlphaSort", "view-sort-ascending", "AlphaSort toggle", "AlphaSort", true},
    {HistoryToggle, "History", "document-open-recent", "History toggle", "History", true},
    {AccessSortToggle, "AccessSort", "view-sort-descending", "AccessSort toggle", "AccessSort", true},
    {FlatLook, "Flat", "vantry-flat", "Give the bars the flat look", "Flat", true},
    {Back, "Back", "go-previous", "Go back one page", "Back"},
    {Forward, "Forward", "go-next", "Go forward one page", "Forward"},
    {Index, "Index", "go-home", "Show the index page of local copies", "Index"},
    {Strip, "Strip bmp's", "image-x-generic", "Show entries from their cached files or by address", "Strip bmp's"},
    {CopyButton, "Copy", "edit-copy", "Copy cached pages to a folder", "Copy"},
    {FindButton, "Find", "edit-find", "Find in the cache and in files", "Find"},
    {DeleteButton, "Delete", "edit-delete", "Delete cache entries", "Delete"},
    {Properties, "Properties", "document-properties", "Statistics of the cache", "Properties"},
    {FontsButton, "Fonts", "preferences-desktop-font", "Text size of the page view", "Fonts"},
    {GoTenEntries, "Go Back  10 Entries", "", "", ""},
    {CopySingleFile, "Copy single file", "", "Copy the current page with its images", ""},
    {CopyReconstructingTree, "Copy reconstructing tree", "", "Copy the current server's pages as a tree", ""},
    {CopyFiles, "Copy files....", "", "Copy cached files by name pattern", ""},
    {StickyFile, "Set file attribute to sticky", "", "Keep the current entry in the cache", ""},
    {StickyAddress, "Set whole address to sticky", "", "Keep the current server's entries in the cache", ""},
    {FindFilesInCache, "Find file(s) in Cache", "", "Find cache entries by name, date and kind", ""},
    {FindTextInFiles, "Find text in files", "", "Find a text in cached and copied files", ""},
    {FindTextOnAllDisks, "Find Text On All Disks", "", "Find a text in the shown page", ""},
    {CheckLinksPassed, "Check links: list passed", "", "List the links and images of the current page that work", ""},
    {CheckLinksDead, "Check links: list dead", "", "List the dead links and images of the current page", ""},
    {DeleteCacheEntry, "Delete Cache Entry", "", "Delete the current entry", ""},
    {DeleteCacheEntries, "Delete Cache Entries....", "", "Delete the entries of a server", ""},
    {DeleteHistoryEntry, "Delete History Entry", "", "Delete the history entry of the current address", ""},
    {DeleteTodaysHistory, "Delete todays history entries", "", "Delete today's history entries", ""},
    {DeleteAllHistory, "Delete all history entries", "", "Delete every history entry", ""},
    {DeleteInactiveHistory, "Delete all inactive history entries", "", "Delete inactive history entries", ""},
    {DeleteVcHistory, "Delete all VC history entries", "", "Delete the history entries of mk:@ pages", ""},
    {DeleteLocalEntries, "Delete all local(file) entries", "", "Delete the history entries of local files", ""},
    {DeleteAllCookieEntries, "Delete All Cookie Entries", "", "Delete every cookie entry", ""},
    {DeleteAllCookies, "Delete All Cookies", "", "Delete the cookie files", ""},
    {DeleteCacheCompletely, "Delete Cache completely", "", "", ""},
    {LargestFonts, "&Largest Fonts", "", "Largest text in the page view", ""},
    {LargerFonts, "Lar&ger  Fonts", "", "Larger text in the page view", ""},
    {MediumFonts, "&Medium Fonts", "", "Medium text in the page view", ""},
    {SmallerFonts, "&Smaller Fonts", "", "Smaller text in the page view", ""},
    {SmallestFonts, "Sm&allest Font", "", "Smallest text in the page view", ""},
    {NextPane, "Next Pane", "", "Move to the next pane", ""},
    {PreviousPane, "Previous Pane", "", "Move to the previous pane", ""},
};

}  // namespace

std::span<const ActionDefinition> ActionDefinitions() { return kActions; }

QList<QKeySequence> ShortcutsFor(CommandId id) {
  switch (id) {
    case New:
      return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case Open:
      return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case Save:
      return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case Print:
      return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case Exit:
      return {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    case Undo:
      return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case Copy:
      return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case Paste:
      return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case Cut:
      return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case NextPane:
      return {QKeySequence(Qt::Key_F6)};
    case PreviousPane:
      return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    default:
      return {};
  }
}

ActionSet::ActionSet(QObject* parent) {
  for (const ActionDefinition& definition : kActions) {
    auto* action = new QAction(QCoreApplication::translate("Vantry", definition.text), parent);
    if (*definition.icon) action->setIcon(ThemeIcon(definition.icon));
    action->setStatusTip(QString::fromUtf8(definition.statusTip));
    if (*definition.toolTip) action->setToolTip(QString::fromUtf8(definition.toolTip));
    action->setCheckable(definition.checkable);
    action->setShortcuts(ShortcutsFor(definition.id));
    action->setData(static_cast<int>(definition.id));
    actions_.emplace(definition.id, action);
  }
}

}  // namespace vantry::app

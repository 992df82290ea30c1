#pragma once

namespace vantry::app {

// The identity of every command of the menus, toolbars and shortcuts. The numbers are the
// program's command ids; routing and tests go by them.
enum class CommandId : int {
  // File
  New = 57600,
  Open = 57601,
  Save = 3000,
  SaveAs = 3005,
  SaveRawAs = 32815,
  ImportFromBrowser = 3010,
  Preferences = 4080,
  Print = 57607,
  PrintSetup = 57606,
  Exit = 57665,
  // Edit
  Undo = 57643,
  Copy = 57634,
  Cut = 57635,
  Paste = 57637,
  SelectAll = 57642,
  // View
  ToolBar = 59392,
  NavigationBar = 32807,
  StatusBar = 59393,
  Workspace = 1103,
  Output = 1104,
  Memory = 1130,
  // Options and Help
  DoNotAsk = 5010,
  PageScripts = 5011,
  Help = 57670,
  About = 57664,
  // Main toolbar toggles
  AlphaSortToggle = 33771,
  HistoryToggle = 33772,
  AccessSortToggle = 33773,
  FlatLook = 33774,
  // Navigation bar buttons
  Back = 32782,
  Forward = 32781,
  Index = 32780,
  Strip = 32775,
  CopyButton = 32773,
  FindButton = 32776,
  DeleteButton = 32777,
  Properties = 32778,
  FontsButton = 32779,
  GoTenEntries = 32772,
  // Copy drop-down
  CopySingleFile = 32802,
  CopyReconstructingTree = 32801,
  CopyFiles = 32817,
  StickyFile = 4090,
  StickyAddress = 5000,
  // Find drop-down
  FindFilesInCache = 32805,
  FindTextInFiles = 32806,
  FindTextOnAllDisks = 32810,
  CheckLinksPassed = 32803,
  CheckLinksDead = 32804,
  // Delete drop-down
  DeleteCacheEntry = 32796,
  DeleteCacheEntries = 32816,
  DeleteHistoryEntry = 32783,
  DeleteTodaysHistory = 32784,
  DeleteAllHistory = 32785,
  DeleteInactiveHistory = 32793,
  DeleteVcHistory = 32794,
  DeleteLocalEntries = 32795,
  DeleteAllCookieEntries = 32797,
  DeleteAllCookies = 32798,
  DeleteCacheCompletely = 32799,
  // Fonts drop-down
  LargestFonts = 32786,
  LargerFonts = 32792,
  MediumFonts = 32788,
  SmallerFonts = 32790,
  SmallestFonts = 32791,
  // Keyboard only
  NextPane = 57680,
  PreviousPane = 57681,
};

}  // namespace vantry::app

#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "cache/store/CacheEntry.h"
#include "inspect/OutputBarActions.h"
#include "inspect/PageText.h"
#include "inspect/widgets/NoticeBox.h"

class QListWidget;
class QTabBar;

namespace vantry::inspect {

// The "Output" bar's content (the main window puts it into a dock): four pages of text
// lines behind a tab strip along the bottom. Every fill brings its page to the front.
class COutputBar : public QWidget {
  Q_OBJECT

 public:
  enum Page : int { kCacheEntryPage = 0, kPropertiesPage = 1, kCookiePage = 2, kFindPage = 3 };
  static constexpr int kPages = 4;

  // `actions` may be null until SetActions; it must outlive the bar.
  explicit COutputBar(OutputBarActions* actions = nullptr, QWidget* parent = nullptr);
  void SetActions(OutputBarActions* actions) { actions_ = actions; }
  // Where the bar's messages go; a modal box by default.
  void SetNoticeSink(NoticeSink sink) { showNotice_ = std::move(sink); }
  // Where a page says that it shows more than it once held (a line of the status bar);
  // nowhere by default.
  void SetNoteSink(std::function<void(const std::string&)> sink) { showNote_ = std::move(sink); }

  // Hides every page, shows `page` and selects its tab.
  void ShowPage(int page);
  int CurrentPage() const { return currentPage_; }

  // Page 0: the entry's fields and the lines of its header. The entry is not kept.
  void ShowEntryProperties(const cache::CacheEntry& entry);
  // Page 1: the statistics lines, as the statistics formatter makes them.
  void ShowStatistics(const std::vector<std::string>& lines);
  // Page 2: the cookie text of an address split at its semicolons.
  void ShowCookieText(std::string_view cookieText);
  // Page 2: the records of a cookie file of `length` bytes.
  void DecodeCookieFile(int length, const char* bytes);
  // Page 3: the lines of a text search, in their order.
  void ShowFindResults(const std::vector<std::string>& lines);

  // Opens the selected line of page 3, as a double click on it does.
  void OpenSelectedSearchResult();
  // Adds `lines` at the end of `page`, as the CacheEntry page's origin of an imported entry.
  void AddPageLines(int page, const std::vector<std::string>& lines);

  const std::vector<std::string>& PageLines(int page) const { return lines_[page]; }
  QListWidget* PageList(int page) const { return pages_[page]; }
  QTabBar* Tabs() const { return tabs_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetPageLines(int page, std::vector<std::string> lines);
  void SetPageText(int page, PageText text);
  void ShowNotices(const Notices& notices);
  QRect InsideArea() const;

  OutputBarActions* actions_;
  NoticeSink showNotice_;
  std::function<void(const std::string&)> showNote_;
  QTabBar* tabs_;
  std::array<QListWidget*, kPages> pages_{};
  std::array<std::vector<std::string>, kPages> lines_;
  int currentPage_ = kCacheEntryPage;
};

}  // namespace vantry::inspect

#include "inspect/widgets/COutputBar.h"

#include <QDockWidget>
#include <QFontDatabase>
#include <QListWidget>
#include <QPainter>
#include <QTabBar>

#include "inspect/CookieDecoding.h"
#include "inspect/EntryProperties.h"
#include "qtutil/ByteText.h"

namespace vantry::inspect {

namespace {

const char* const kTabLabels[COutputBar::kPages] = {"CacheEntry", "Properties", "Cookie", "Find in Files"};

const std::vector<std::string> kCacheEntryPlaceholder = {
    "-----------------------------No URL to translate------------------------------",
    std::string(31, ' ') + "select URL",
};
const std::vector<std::string> kPropertiesPlaceholder = {
    "Cache Entries total:",
    "Cache Entries Cookie:",
    "Cache Entries URL:",
    "Cache Entries History:         valid:",
    "Cache Entries http:",
    "Cache Entries ftp:",
    "Cache Entries html:     gif:      art/jpg:        activex:",
};

constexpr int kTabStripHeight = 15;

QFont PageFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setFamily(QStringLiteral("Courier"));
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

COutputBar::COutputBar(OutputBarActions* actions, QWidget* parent)
    : QWidget(parent), actions_(actions), tabs_(new QTabBar(this)) {
  showNotice_ = [this](const Notice& notice) { ShowNoticeBox(this, notice); };
  setAccessibleName(tr("Output"));
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setDrawBase(false);
  tabs_->setAccessibleName(tr("Output pages"));
  QFont font = PageFont();
  for (int page = 0; page < kPages; ++page) {
    tabs_->addTab(tr(kTabLabels[page]));
    auto* list = new QListWidget(this);
    list->setFont(font);
    list->setUniformItemSizes(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setAccessibleName(tr(kTabLabels[page]));
    list->hide();
    pages_[page] = list;
  }
  connect(tabs_, &QTabBar::currentChanged, this, &COutputBar::ShowPage);
  connect(pages_[kFindPage], &QListWidget::itemDoubleClicked, this, &COutputBar::OpenSelectedSearchResult);
  SetPageLines(kCacheEntryPage, kCacheEntryPlaceholder);
  SetPageLines(kPropertiesPage, kPropertiesPlaceholder);
  ShowPage(kCacheEntryPage);
}

void COutputBar::ShowPage(int page) {
  if (page < 0 || page >= kPages) return;
  for (QListWidget* list : pages_) list->hide();
  pages_[page]->show();
  currentPage_ = page;
  tabs_->setCurrentIndex(page);
}

void COutputBar::SetPageLines(int page, std::vector<std::string> lines) {
  QListWidget* list = pages_[page];
  list->clear();
  for (const std::string& line : lines) list->addItem(qtutil::QStringFromBytes(line));
  lines_[page] = std::move(lines);
}

void COutputBar::SetPageText(int page, PageText text) {
  SetPageLines(page, std::move(text.lines));
  if (!text.note.empty() && showNote_) showNote_(text.note);
}

void COutputBar::ShowNotices(const Notices& notices) {
  for (const Notice& notice : notices) showNotice_(notice);
}

void COutputBar::ShowEntryProperties(const cache::CacheEntry& entry) {
  SetPageText(kCacheEntryPage, EntryPropertyLines(entry));
  ShowPage(kCacheEntryPage);
}

void COutputBar::ShowStatistics(const std::vector<std::string>& lines) {
  ShowPage(kPropertiesPage);
  SetPageLines(kPropertiesPage, lines);
}

void COutputBar::ShowCookieText(std::string_view cookieText) {
  ShowPage(kCookiePage);
  SetPageText(kCookiePage, CookieTextLines(cookieText));
}

void COutputBar::DecodeCookieFile(int length, const char* bytes) {
  ShowPage(kCookiePage);
  size_t size = bytes == nullptr || length <= 0 ? 0 : static_cast<size_t>(length);
  SetPageText(kCookiePage, DecodeCookieFileLines(std::string_view(bytes, size)));
}

void COutputBar::ShowFindResults(const std::vector<std::string>& lines) {
  ShowPage(kFindPage);
  SetPageLines(kFindPage, lines);
}

void COutputBar::OpenSelectedSearchResult() {
  int row = pages_[kFindPage]->currentRow();
  if (actions_ == nullptr || row < 0 || row >= static_cast<int>(lines_[kFindPage].size())) return;
  // Copied: the actions may refill the page while the line is in use.
  std::string line = lines_[kFindPage][row];
  ShowNotices(OpenSearchResult(line, *actions_));
}

void COutputBar::AddPageLines(int page, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    pages_[page]->addItem(qtutil::QStringFromBytes(line));
    lines_[page].push_back(line);
  }
}

QRect COutputBar::InsideArea() const { return rect().adjusted(1, 1, -1, -1); }

// Qt's tab strip needs more than 15 pixels for its labels; the pages give up the rest.
void COutputBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  auto* dock = qobject_cast<QDockWidget*>(parentWidget());
  int gap = dock != nullptr && dock->isFloating() ? 18 : 19;
  QRect area = InsideArea();
  int tabHeight = std::max(kTabStripHeight, tabs_->sizeHint().height());
  int pageHeight = std::max(0, area.bottom() - gap - (tabHeight - kTabStripHeight));
  for (QListWidget* list : pages_) list->setGeometry(area.left(), area.top(), area.width(), pageHeight);
  tabs_->setGeometry(area.left(), area.bottom() - tabHeight, area.width(), tabHeight);
}

void COutputBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));  // the ring just outside the inside area
}

}  // namespace vantry::inspect

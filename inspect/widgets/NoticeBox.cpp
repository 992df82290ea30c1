#include "NoticeBox.h"

#include <QMessageBox>

#include "DisplayText.h"

void ShowNoticeBox(QWidget* parent, const Notice& notice) {
  QMessageBox::information(parent, DisplayText(notice.caption), DisplayText(notice.text), QMessageBox::Ok);
}

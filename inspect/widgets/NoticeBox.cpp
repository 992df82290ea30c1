#include "inspect/widgets/NoticeBox.h"

#include <QMessageBox>

#include "qtutil/ByteText.h"

void ShowNoticeBox(QWidget* parent, const Notice& notice) {
  QMessageBox::information(parent, QStringFromBytes(notice.caption), QStringFromBytes(notice.text), QMessageBox::Ok);
}

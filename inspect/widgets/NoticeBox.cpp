#include "inspect/widgets/NoticeBox.h"

#include <QMessageBox>

#include "qtutil/ByteText.h"

namespace vantry::inspect {

void ShowNoticeBox(QWidget* parent, const Notice& notice) {
  QMessageBox::information(parent, qtutil::QStringFromBytes(notice.caption), qtutil::QStringFromBytes(notice.text),
                           QMessageBox::Ok);
}

}  // namespace vantry::inspect

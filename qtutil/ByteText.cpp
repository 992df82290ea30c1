#include "qtutil/ByteText.h"

#include <QStringDecoder>

namespace vantry::qtutil {

QString QStringFromBytes(std::string_view bytes) {
  QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(view);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(view);
}

std::string BytesFromQString(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace vantry::qtutil

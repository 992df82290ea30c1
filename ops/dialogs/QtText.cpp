#include "QtText.h"

#include <QStringDecoder>

namespace vantry {

QString ToQString(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return text;
}

std::string ToBytes(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace vantry

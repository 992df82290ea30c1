#include "inspect/widgets/QtHexClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace vantry::inspect {

namespace {

QByteArray ToByteArray(std::string_view bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

void QtHexClipboard::Offer(std::string_view rawBytes, std::string_view text) {
  auto* data = new QMimeData;
  data->setData(kBinaryDataMimeType, ToByteArray(rawBytes));
  data->setText(QString::fromLatin1(ToByteArray(text)));
  QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> QtHexClipboard::RawBytes() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasFormat(kBinaryDataMimeType)) return std::nullopt;
  return data->data(kBinaryDataMimeType).toStdString();
}

std::optional<std::string> QtHexClipboard::PlainText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text().toUtf8().toStdString();
}

}  // namespace vantry::inspect

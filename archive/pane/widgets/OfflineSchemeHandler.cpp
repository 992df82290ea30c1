#include "archive/pane/widgets/OfflineSchemeHandler.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>

#include "archive/pane/OfflineAddress.h"
#include "archive/pane/OfflineResource.h"

namespace vantry::archive {

OfflineSchemeHandler::OfflineSchemeHandler(cache::UrlCacheStore& store, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), store_(store) {}

void OfflineSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QByteArray offline = job->requestUrl().toEncoded(QUrl::RemoveFragment);
  std::optional<std::string> network = NetworkAddressFor(offline.toStdString());
  if (!network) {
    job->fail(QWebEngineUrlRequestJob::UrlInvalid);
    return;
  }
  OfflineResource resource = FindOfflineResource(store_, *network);
  switch (resource.kind) {
    case OfflineResource::Kind::Missing:
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    case OfflineResource::Kind::Redirect: {
      QUrl target = QUrl(QString::fromStdString(*network)).resolved(QUrl(QString::fromStdString(resource.location)));
      std::optional<std::string> mapped = OfflineAddressFor(target.toEncoded().toStdString());
      if (mapped)
        job->redirect(QUrl::fromEncoded(QByteArray::fromStdString(*mapped)));
      else
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    case OfflineResource::Kind::Body: {
      auto* body = new QBuffer(job);
      body->setData(QByteArray::fromStdString(resource.body));
      job->reply(QByteArray::fromStdString(resource.contentType), body);
      emit Served(QString::fromStdString(*network));
      return;
    }
  }
}

}  // namespace vantry::archive

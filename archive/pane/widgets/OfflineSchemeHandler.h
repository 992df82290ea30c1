#pragma once

#include <QWebEngineUrlSchemeHandler>

#include "cache/store/UrlCacheStore.h"

namespace vantry::archive {

// Answers requests for the offline schemes from the cache store: the cached body with its
// stored content type (never a content encoding), a stored redirect, or "not found".
class OfflineSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
 public:
  OfflineSchemeHandler(cache::UrlCacheStore& store, QObject* parent);
  void requestStarted(QWebEngineUrlRequestJob* job) override;

 signals:
  void Served(const QString& networkAddress);

 private:
  cache::UrlCacheStore& store_;
};

}  // namespace vantry::archive

#pragma once

#include <QObject>

#include "cache/store/UrlCacheStore.h"

class QWebEngineProfile;

namespace vantry::archive {

class OfflineSchemeHandler;
class OfflineRequestInterceptor;

// Registers the offline schemes and keeps the engine off the network (no name lookups).
// REQUIRES: called once, before the QApplication is created.
void PrepareOfflineEngine();

// The browsing profile of the pane: off the record, every http and https request of its
// pages answered from `store`, other network schemes refused, downloads only for "save as",
// and the pages' scripts off.
class OfflineProfile : public QObject {
  Q_OBJECT
 public:
  // REQUIRES: `store` outlives this profile.
  OfflineProfile(cache::UrlCacheStore& store, QObject* parent = nullptr);
  ~OfflineProfile() override;

  QWebEngineProfile* profile() const { return profile_; }
  // Emits Served(networkAddress) for every request it answered from the store.
  OfflineSchemeHandler* handler() const { return handler_; }

 private:
  QWebEngineProfile* profile_;
  OfflineSchemeHandler* handler_;
  OfflineRequestInterceptor* interceptor_;
};

}  // namespace vantry::archive

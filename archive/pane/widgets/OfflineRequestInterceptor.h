#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace vantry::archive {

// Sends every http and https request of the pane's pages to the store under the offline
// schemes and refuses the other network schemes, so that nothing reaches the network.
class OfflineRequestInterceptor : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

}  // namespace vantry::archive

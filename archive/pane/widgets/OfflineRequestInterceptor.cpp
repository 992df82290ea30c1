#include "archive/pane/widgets/OfflineRequestInterceptor.h"

#include "archive/pane/OfflineAddress.h"

namespace vantry::archive {

void OfflineRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QUrl url = info.requestUrl();
  switch (FateOfRequest(url.scheme().toStdString())) {
    case RequestFate::Pass:
      return;
    case RequestFate::Redirect:
      if (auto offline = OfflineAddressFor(url.toEncoded().toStdString())) {
        info.redirect(QUrl::fromEncoded(QByteArray::fromStdString(*offline)));
        return;
      }
      break;
    case RequestFate::Block:
      break;
  }
  info.block(true);
}

}  // namespace vantry::archive

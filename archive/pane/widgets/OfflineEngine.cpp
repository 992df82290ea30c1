#include "archive/pane/widgets/OfflineEngine.h"

#include <unistd.h>

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlScheme>

#include "archive/pane/OfflineAddress.h"
#include "archive/pane/widgets/OfflineRequestInterceptor.h"
#include "archive/pane/widgets/OfflineSchemeHandler.h"

namespace vantry::archive {

namespace {

void RegisterScheme(std::string_view name) {
  QWebEngineUrlScheme scheme(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::HostAndPort);
  scheme.setDefaultPort(name == kOfflineHttpsScheme ? 443 : 80);
  // Not a secure scheme: a secure page would have its plain-http scripts and style sheets
  // blocked as mixed content before we could answer them from the store.
  scheme.setFlags(QWebEngineUrlScheme::CorsEnabled | QWebEngineUrlScheme::LocalAccessAllowed);
  QWebEngineUrlScheme::registerScheme(scheme);
}

}  // namespace

void PrepareOfflineEngine() {
  // The engine's sandbox cannot run for root; it refuses to start unless told so.
  if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  RegisterScheme(kOfflineHttpScheme);
  RegisterScheme(kOfflineHttpsScheme);
  // A second line of defence: connections that never pass the interceptor (preconnects,
  // prefetches) find no host at all.
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (!flags.contains("--host-resolver-rules")) {
    flags += " --host-resolver-rules=\"MAP * ~NOTFOUND\"";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  }
}

OfflineProfile::OfflineProfile(cache::UrlCacheStore& store, QObject* parent)
    : QObject(parent),
      profile_(new QWebEngineProfile(this)),
      handler_(new OfflineSchemeHandler(store, this)),
      interceptor_(new OfflineRequestInterceptor(this)) {
  profile_->installUrlSchemeHandler(QByteArray(kOfflineHttpScheme.data()), handler_);
  profile_->installUrlSchemeHandler(QByteArray(kOfflineHttpsScheme.data()), handler_);
  profile_->setUrlRequestInterceptor(interceptor_);
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
  profile_->settings()->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  // Cached pages are shown, not run: their scripts stay off unless the user turns them on.
  profile_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  profile_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  connect(profile_, &QWebEngineProfile::downloadRequested, this, [](QWebEngineDownloadRequest* download) {
    if (download->isSavePageDownload())
      download->accept();
    else
      download->cancel();
  });
}

OfflineProfile::~OfflineProfile() = default;

}  // namespace vantry::archive

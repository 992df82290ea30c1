#pragma once

// For test programs that drive the web engine on a real display (xvfb-run).
#include <functional>
#include <string>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <gtest/gtest.h>

#include "archive/pane/widgets/OfflineEngine.h"

#if defined(__SANITIZE_ADDRESS__)
// The engine's own code frees some objects through a smaller base type and keeps a few
// process-wide allocations to the end (as do D-Bus and fontconfig below it). Those are
// the engine's business: only these are let through here.
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore.so\nleak:libdbus-1.so\nleak:libfontconfig.so\nleak:libasan.so\n";
}
#endif

namespace vantry::archive {

// Runs a script in the page and returns its result as text. The application's own world
// reads and drives the page also while the page's scripts are off; the page's world sees
// what the page's scripts left in it.
inline std::string Evaluate(QWebEnginePage* page, const QString& script,
                            quint32 world = QWebEngineScript::ApplicationWorld) {
  std::string result;
  QEventLoop loop;
  page->runJavaScript(script, world, [&](const QVariant& value) {
    result = value.toString().toStdString();
    loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  return result;
}

// The main() of such a program. Runs the tests; without a display there is no application and the tests skip
// themselves. `beforeApplication` runs first when there is one (for environment the engine reads).
inline int RunEngineTests(int argc, char** argv, const std::function<void()>& beforeApplication = {}) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests) || qEnvironmentVariableIsEmpty("DISPLAY")) return RUN_ALL_TESTS();
  if (beforeApplication) beforeApplication();
  // The engine needs a real X server here; root also needs the sandbox off.
  qputenv("QT_QPA_PLATFORM", "xcb");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  PrepareOfflineEngine();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace vantry::archive

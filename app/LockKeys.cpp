#include "app/LockKeys.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>

namespace vantry::app {

LockKeys ReadLockKeys() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  unsigned int indicators = 0;
  if (!x11 || !x11->display() || XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &indicators) != 0) return {};
  return {(indicators & 0x1) != 0, (indicators & 0x2) != 0};
}

}  // namespace vantry::app

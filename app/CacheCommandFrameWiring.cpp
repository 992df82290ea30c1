// The frame's side of the cache command wiring: its handler table and its address box.
#include <QComboBox>

#include "app/CMainFrame.h"
#include "app/CacheCommandWiring.h"

namespace vantry::app {

std::unique_ptr<WiredCacheCommands> WireCacheCommands(CMainFrame& frame, CacheCommandInputs inputs) {
  QComboBox* box = frame.addressBox();
  return WireCacheCommands(
      [&frame](CommandId id, std::function<void()> handler) { frame.SetCommandHandler(id, std::move(handler)); },
      [box] { return box->currentText().toStdString(); }, std::move(inputs));
}

}  // namespace vantry::app

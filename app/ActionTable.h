#pragma once

#include <map>
#include <span>

#include <QKeySequence>
#include <QList>

#include "app/CommandIds.h"

class QAction;
class QObject;

namespace vantry::app {

// How one command presents itself: menu text (a shortcut shown after a tab), its keys,
// its icon, and its fly-by help (status bar text and tool tip).
struct ActionDefinition {
  CommandId id;
  const char* text;
  const char* icon;  // icon theme name; a bundled icon stands in when the theme has none
  const char* statusTip;
  const char* toolTip;
  bool checkable = false;
};

// Every command of the frame, in no particular order.
std::span<const ActionDefinition> ActionDefinitions();

// The shortcut keys of a command (several for some), empty for most.
QList<QKeySequence> ShortcutsFor(CommandId id);

// One QAction per command id, owned by `parent`.
class ActionSet {
 public:
  explicit ActionSet(QObject* parent);
  // REQUIRES: `id` is one of ActionDefinitions().
  QAction* operator[](CommandId id) const { return actions_.at(id); }
  const std::map<CommandId, QAction*>& all() const { return actions_; }

 private:
  std::map<CommandId, QAction*> actions_;
};

}  // namespace vantry::app

#pragma once

#include <QIcon>

namespace vantry::app {

// Uses the desktop's icon theme, with Adwaita behind it for the names it lacks.
// REQUIRES: called once, after the QApplication exists.
void PrepareIconTheme();

// Which variant of a theme's icon comes first: the one-colour symbolic one (toolbars) or the
// full-colour one (file types in lists).
enum class IconLook { Symbolic, Colour };

// The theme's icon of that name in the chosen look where it has it; a bundled icon where the
// themes have none.
QIcon ThemeIcon(const char* name, IconLook look = IconLook::Symbolic);

}  // namespace vantry::app

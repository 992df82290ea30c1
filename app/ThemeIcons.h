#pragma once

#include <QIcon>

namespace vantry::app {

// Uses the desktop's icon theme, with Adwaita behind it for the names it lacks.
// REQUIRES: called once, after the QApplication exists.
void PrepareIconTheme();

// The theme's icon of that name, its symbolic variant preferred; a bundled icon where the
// themes have none.
QIcon ThemeIcon(const char* name);

}  // namespace vantry::app

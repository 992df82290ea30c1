#pragma once

class QApplication;

// Start-up: settings, the cache store, the document, the frame and its view, the archive
// files; then shows the window maximized and runs until it closes. Returns the exit code.
int RunVantry(QApplication& app);

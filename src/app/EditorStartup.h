#pragma once

#include <functional>

class QWidget;

// The editor's start, as a user gets it: one editor per program folder, then
// the main window with the remembered settings and schedule, then the event
// loop until the window closes. Needs a QApplication. whenShown runs once the
// main window is shown, before the event loop starts (the start-up benchmark
// quits from there). Returns the process's exit status.
int RunEditor(const std::function<void(QWidget& mainWindow)>& whenShown = {});

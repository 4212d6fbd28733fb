// The editor as bench_startup starts it: main()'s own start-up, quitting once
// the main window is shown and idle.
#include "EditorStartup.h"
#include "QuitWhenShown.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return RunEditor([](QWidget& window) { new QuitWhenShownAndIdle(window); });
}

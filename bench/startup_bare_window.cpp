// What bench_startup holds the editor against: a bare Qt main window with
// three list views, quitting once it is shown and idle.
#include "QuitWhenShown.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListView>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* layout = new QHBoxLayout(central);
    for (int i = 0; i < 3; ++i)
        layout->addWidget(new QListView(central));
    window.setCentralWidget(central);
    window.show();
    new QuitWhenShownAndIdle(window);
    return QApplication::exec();
}

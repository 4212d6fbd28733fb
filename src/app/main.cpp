#include "texts/TextTable.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(EnglishTexts().text(TextSlot::ProgramTitle));

    // Stands in for the main window until it is built.
    QMainWindow window;
    window.setWindowTitle(EnglishTexts().text(TextSlot::ProgramTitle));
    auto* label = new QLabel(EnglishTexts().text(TextSlot::ProgramTitle), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(640, 400);
    window.show();
    return app.exec();
}

#include "EditorStartup.h"

#include "AppContext.h"
#include "MainForm.h"
#include "QtUserDialogs.h"
#include "SingleInstance.h"
#include "TextTable.h"

#include <QApplication>
#include <cstdio>

int RunEditor(const std::function<void(QWidget& mainWindow)>& whenShown) {
    QApplication::setApplicationName(EnglishTexts().text(TextSlot::ProgramTitle));
    QApplication::setOrganizationName(QStringLiteral("Morva"));

    QtUserDialogs dialogs;
    const QString appFolder = ChooseAppFolder(QApplication::applicationDirPath());

    // Before anything else: no second editor for the same folder, and nothing
    // written by one that refuses to start. No table is loaded yet, so the
    // notice is in English.
    SingleInstance instance(appFolder);
    if (!instance.acquire()) {
        dialogs.showUntitledMessage(EnglishTexts().text(TextSlot::ProgramRunning));
        return 0;
    }
    // Refusing to start would lock the user out of their work; Save still
    // asks before overwriting a file another editor changed.
    if (!instance.locked())
        std::fprintf(stderr,
                     "%s: no place could hold the lock that keeps a second editor off %s "
                     "(tried: %s); starting without it\n",
                     qUtf8Printable(QApplication::applicationName()), qUtf8Printable(appFolder),
                     qUtf8Printable(SingleInstance::lockPathsFor(appFolder).join(u", ")));

    MainForm window(dialogs, appFolder);
    dialogs.setParent(&window);
    window.Form_Load();
    window.show();
    if (whenShown)
        whenShown(window);
    return QApplication::exec();
}

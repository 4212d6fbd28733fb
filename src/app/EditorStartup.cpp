#include "EditorStartup.h"

#include "AppContext.h"
#include "InstanceChannel.h"
#include "MainForm.h"
#include "QtUserDialogs.h"
#include "SingleInstance.h"
#include "TextTable.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QStringList socketPaths(const QStringList& lockPaths) {
    QStringList paths;
    for (const QString& lock : lockPaths)
        paths.append(InstanceChannel::socketPathFor(lock));
    return paths;
}

// The schedule file named on the command line, as an absolute path (a second
// start hands it to an editor with another working folder); empty for none.
QString commandLineFile() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prepares the play schedule of a media player: a basic playlist and periods with "
        "their own playlists, stored as a .mvs file."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(u"file"_s,
                                 u"A schedule file (.mvs) to open instead of the "
                                 "one used last."_s,
                                 u"[FILE.mvs]"_s);
    parser.process(QApplication::arguments()); // --help and --version end here
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        std::fprintf(stderr, "%s: opens one file; the others are left alone: %s\n",
                     qUtf8Printable(QApplication::applicationName()),
                     qUtf8Printable(files.mid(1).join(u", ")));
    return files.isEmpty() ? QString()
                           : QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
}

} // namespace

int RunEditor(const std::function<void(QWidget& mainWindow)>& whenShown) {
    QApplication::setApplicationName(EnglishTexts().text(TextSlot::ProgramTitle));
    QApplication::setOrganizationName(QStringLiteral("Morva"));
    QApplication::setApplicationVersion(QStringLiteral(MORVA_VERSION));
    QApplication::setDesktopFileName(u"morva-schedule-generator"_s);
    const QString file = commandLineFile();

    QtUserDialogs dialogs;
    const QString appFolder = ChooseAppFolder(QApplication::applicationDirPath());

    // Before anything else: no second editor for the same folder, and nothing
    // written by one that refuses to start. No table is loaded yet, so the
    // notice is in English.
    SingleInstance instance(appFolder);
    if (!instance.acquire()) {
        // The running editor comes to the front and opens the file; without
        // one, or when it cannot be reached, the usual notice says why
        // nothing else happens.
        const bool handed =
            InstanceChannel::handOver(socketPaths(SingleInstance::lockPathsFor(appFolder)), file);
        if (!handed || file.isEmpty())
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
    InstanceChannel channel;
    const QStringList ownSockets = socketPaths(instance.heldLockPaths());
    if (instance.locked() && !channel.listen(ownSockets))
        std::fprintf(stderr, "%s: a second start cannot hand its file to this editor (tried: %s)\n",
                     qUtf8Printable(QApplication::applicationName()),
                     qUtf8Printable(ownSockets.join(u", ")));
    QObject::connect(&channel, &InstanceChannel::fileHandedOver, &window,
                     &MainForm::openHandedFile);
    window.Form_Load(file);
    window.show();
    if (whenShown)
        whenShown(window);
    return QApplication::exec();
}

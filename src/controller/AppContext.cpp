#include "AppContext.h"

#include "PathHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + u"write-probe-XXXXXX"_s);
    return probe.open();
}

// Installed, the program lies in .../bin beside .../share/morva-schedule-generator.
// That folder belongs to the package manager even where the program could
// write there (root under /usr), so the files go to the user's folder.
bool isInstalled(const QString& executableFolder) {
    return QFileInfo(WithTrailingSeparator(executableFolder) +
                     u"../share/morva-schedule-generator"_s)
        .isDir();
}

QString nativeFolder(const QString& folder) {
    return WithTrailingSeparator(QDir::toNativeSeparators(folder));
}

} // namespace

AppContext SetupAppPaths(const QString& appFolder) {
    AppContext context;
    context.appFolder = WithTrailingSeparator(appFolder);
    context.openFolder = context.appFolder;
    context.saveFolder = context.appFolder;
    context.scheduleFolder = context.appFolder;
    context.scheduleFileName = QString::fromUtf16(DefaultScheduleBaseName) + u".mvs"_s;
    context.mediaFolder = context.appFolder;
    context.copyTargetDrive = DriveOfFolder(context.appFolder);
    context.copyTargetFolder = context.appFolder;
    context.languageSelector = 1;
    return context;
}

QString ChooseAppFolder(const QString& executableFolder) {
    const QString folder = nativeFolder(executableFolder);
    if (!isInstalled(executableFolder) && canWriteIn(folder))
        return folder;
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return nativeFolder(dataFolder);
}

QString DriveOfFolder(const QString& folder) {
    const QStorageInfo volume(folder);
    if (!volume.isValid())
        return QDir::toNativeSeparators(QDir::rootPath());
    return QDir::toNativeSeparators(volume.rootPath());
}

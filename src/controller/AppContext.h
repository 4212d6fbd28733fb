#pragma once

#include "FileLocation.h"

#include <QString>

// The folders and names the program remembers between runs. Folder values end
// in the platform's separator, so a path is folder + name.
struct AppContext {
    QString appFolder;        // where SystemInfo.txt lives
    QString openFolder;       // where the Open dialog starts
    QString saveFolder;       // where the Save As dialog starts
    QString scheduleFolder;   // folder of the current schedule file
    QString scheduleFileName; // name of the current schedule file
    QString mediaFolder;      // where Browse starts, and the copy source
    QString copyTargetDrive;  // root of the volume last chosen for copies
    QString copyTargetFolder; // folder last chosen for copies
    quint16 languageSelector = 1;

    FileLocation scheduleLocation() const { return {scheduleFolder, scheduleFileName}; }
    void setScheduleLocation(const FileLocation& location) {
        scheduleFolder = location.folder;
        scheduleFileName = location.fileName;
    }
    QString schedulePath() const { return scheduleLocation().path(); }
    // The editor's own settings (window, recent files), beside SystemInfo.txt.
    QString editorSettingsPath() const { return appFolder + QStringLiteral("MorvaEditor.ini"); }
    friend bool operator==(const AppContext&, const AppContext&) = default;
};

inline constexpr char16_t DefaultScheduleBaseName[] = u"morva";

// The start values: every folder is appFolder, the schedule is morva.mvs and
// the copy target drive is the volume that holds appFolder.
AppContext SetupAppPaths(const QString& appFolder);

// The executable's folder when the program may write there (a portable copy);
// otherwise, and always for an installed program, the per-user data folder,
// created when missing. Always ends in the separator.
QString ChooseAppFolder(const QString& executableFolder);

// The root of the mounted volume that holds the folder.
QString DriveOfFolder(const QString& folder);

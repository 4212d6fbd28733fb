#pragma once

// Program folders, and the schedules and settings files a test writes into
// them beforehand. No widgets: the controller's tests use these too.

#include "RandomSource.h"
#include "ScheduleWriter.h"
#include "SystemInfoFile.h"
#include "TestEntries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary folder named as the program keeps folders: ending in '/'.
struct TestFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + u'/'; }
    QString file(const QString& name) const { return path() + name; }
};

inline MediaEntry MediaEntryNamed(QByteArrayView name, QByteArrayView extension) {
    return media(name, extension);
}

// Two basic entries and three advance entries with 2, 1 and 1 details; it
// passes the checks before saving.
inline ScheduleDocument SampleDocument() {
    QList<AdvanceEntry> advance(3);
    advance[0].details = {media("CLIP", "MPG"), media("NEWS", "")};
    advance[1].details = {media("FEB")};
    advance[2].details = {media("XMAS")};
    return ScheduleDocument({media("SONG"), media("INTRO", "WAV")}, advance);
}

// Only basic entries, different from the sample's.
inline ScheduleDocument BasicOnlyDocument() {
    return ScheduleDocument({media("SPRING"), media("RAIN", "OGG")}, {});
}

inline bool WriteSchedule(const QString& folder, const QString& fileName,
                          const ScheduleDocument& document) {
    SeededRandomSource random(20061228);
    return WriteScheduleFile(folder + fileName, document, random).ok();
}

inline bool WriteBytes(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files and folders in folder.
inline QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
}

// SystemInfo.txt with the seven values (the sixth line holds two), and an
// optional language line.
inline bool WriteSystemInfoFile(const QString& appFolder, const QString& openFolder,
                                const QString& saveFolder, const QString& scheduleFolder,
                                const QString& scheduleFileName,
                                const QByteArray& languageLine = {}) {
    const auto line = [](const QString& value) { return '"' + value.toUtf8() + "\"\r\n"; };
    return WriteBytes(appFolder + QString::fromUtf16(SystemInfoFileName),
                      line(openFolder) + line(saveFolder) + line(scheduleFolder) +
                          line(scheduleFileName) + line(appFolder) + "\"/\"," + line(appFolder) +
                          languageLine);
}

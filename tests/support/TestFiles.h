#pragma once

// Files and folders for the tests: temporary folders, whole files, what a
// folder holds, the schedules and settings files a test writes beforehand, and
// the hostile places (full disks, other users, special files) that the program
// must survive. No widgets: the controller's tests use these too.

#include "RandomSource.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"
#include "SystemInfoFile.h"
#include "TestEntries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A temporary folder named as the program keeps folders: ending in '/'.
struct TestFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + u'/'; }
    QString file(const QString& name) const { return path() + name; }
};

// The document in a schedule file; an empty one when the file cannot be read.
inline ScheduleDocument ReadBack(const QString& path) {
    const DecodeResult read = ReadScheduleFileAt(path);
    return read ? read->document : ScheduleDocument();
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

// The names in folder, hidden ones included: a left-over temporary file shows.
inline QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden |
                                  QDir::System);
}

// Every entry under root, by its relative path, with what it is: a file's
// bytes, a link's target, "<folder>", or the kind of anything else. A changed
// byte, a replaced link and a left-over file all show.
inline QMap<QString, QString> FolderSnapshot(const QString& root) {
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        struct stat status {};
        ::lstat(QFile::encodeName(entry.filePath()).constData(), &status);
        QString what;
        if (S_ISLNK(status.st_mode))
            what = QStringLiteral("link to ") + entry.symLinkTarget();
        else if (S_ISREG(status.st_mode))
            what = QString::fromLatin1(FileBytes(entry.filePath()));
        else if (S_ISDIR(status.st_mode))
            what = QStringLiteral("<folder>");
        else
            what = QStringLiteral("<kind %1>").arg(status.st_mode & S_IFMT, 0, 8);
        entries.insert(QDir(root).relativeFilePath(entry.filePath()), what);
    }
    return entries;
}

// Readable by anyone, so that what an ordinary user's open finds is the FIFO.
inline bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

inline bool SetMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Runs body in a forked child and gives its exit code, -1 when it did not
// exit. What the child changes (its user, its limits) stays in the child.
inline int ExitCodeInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

// The exit code of a child that could not become an ordinary user.
inline constexpr int NoOrdinaryUser = 99;
inline constexpr uid_t Nobody = 65534;

// Permission bits do not stop root: in a child, root becomes nobody. False
// when that fails.
inline bool BecomeOrdinaryUser() {
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0);
}

// A disk that is full after bytes more bytes in any one file, for root too:
// the process's file size limit. Writes past it fail instead of ending the
// process.
inline void FillDiskAfter(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

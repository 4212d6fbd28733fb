#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// A starting editor writes its details right after creating the file; give it
// this long before calling an unreadable lock file garbage.
constexpr int UnreadableLockGraceMs = 300;
constexpr int TryLockMs = 100;
constexpr int LockAttempts = 3;

constexpr char16_t ProgramFolderName[] = u"morva-schedule-generator";

// The places that may hold the lock, most preferred first.
QStringList lockFolders() {
    QStringList folders;
    // When XDG_RUNTIME_DIR is unset or unfit (not a folder, not the user's
    // alone) Qt falls back to a folder under the shared temp folder; the data
    // folder is the user's own.
    const QString named = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!named.isEmpty()) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (QDir::cleanPath(runtime) == QDir::cleanPath(named))
            folders.append(runtime);
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        folders.append(QDir(data).filePath(QString::fromUtf16(ProgramFolderName)));
    return folders;
}

} // namespace

SingleInstance::SingleInstance(const QString& appFolder)
    : m_appFolder(appFolder) {}

QStringList SingleInstance::lockPathsFor(const QString& appFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(appFolder).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QString name =
        QString::fromUtf16(ProgramFolderName) + u'-' + QString::fromLatin1(hash) + u".lock"_s;
    QStringList paths;
    for (const QString& folder : lockFolders())
        paths.append(QDir(folder).filePath(name));
    return paths;
}

QStringList SingleInstance::heldLockPaths() const {
    QStringList paths;
    for (const auto& lock : m_locks)
        paths.append(lock->fileName());
    return paths;
}

bool SingleInstance::acquire() {
    for (const QString& path : lockPathsFor(m_appFolder)) {
        if (!QDir().mkpath(QFileInfo(path).path()))
            continue; // the folder cannot be made: try the next place
        auto lock = std::make_unique<QLockFile>(path);
        // Never treat a live editor's lock as stale by its age.
        lock->setStaleLockTime(0);
        switch (lockInPlace(*lock)) {
        case Outcome::Locked:
            m_locks.push_back(std::move(lock));
            break;
        case Outcome::HeldByOther:
            m_locks.clear(); // gives up the places taken so far
            m_otherRunning = true;
            return false;
        case Outcome::Unusable:
            break;
        }
    }
    return true;
}

SingleInstance::Outcome SingleInstance::lockInPlace(QLockFile& lock) {
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        if (lock.tryLock(TryLockMs))
            return Outcome::Locked;
        if (lock.error() != QLockFile::LockFailedError)
            return Outcome::Unusable;
        // Qt already removed the lock of a dead process; a readable lock now
        // belongs to a running editor.
        if (lock.getLockInfo(nullptr, nullptr, nullptr))
            return Outcome::HeldByOther;
        // Something that is no lock file at all (a folder, a dangling link)
        // is not ours to remove.
        if (!QFileInfo(lock.fileName()).isFile())
            return Outcome::Unusable;
        QThread::msleep(UnreadableLockGraceMs);
        if (lock.getLockInfo(nullptr, nullptr, nullptr) || lock.removeStaleLockFile())
            continue;
        // Garbage that cannot be removed must not keep the editor out forever.
        if (QFileInfo(lock.fileName()).isFile() && !lock.getLockInfo(nullptr, nullptr, nullptr))
            return Outcome::Unusable;
    }
    // Lock files keep coming back: other editors are starting right now.
    return Outcome::HeldByOther;
}

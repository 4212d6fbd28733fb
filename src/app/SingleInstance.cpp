#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// A starting editor writes its details right after creating the file; give it
// this long before calling an unreadable lock file garbage.
constexpr int UnreadableLockGraceMs = 300;
constexpr int TryLockMs = 100;

} // namespace

SingleInstance::SingleInstance(const QString& appFolder)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(appFolder))) {
    // Never treat a live editor's lock as stale by its age.
    m_lock->setStaleLockTime(0);
}

QString SingleInstance::lockPathFor(const QString& appFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(appFolder).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QDir::temp().filePath(u"morva-schedule-generator-"_s + QString::fromLatin1(hash) +
                                 u".lock"_s);
}

bool SingleInstance::acquire() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (m_lock->tryLock(TryLockMs))
            return true;
        if (m_lock->error() != QLockFile::LockFailedError)
            return true; // the temp folder is unusable: start without the lock
        // Qt already removed the lock of a dead process; a readable lock now
        // belongs to a running editor.
        if (m_lock->getLockInfo(nullptr, nullptr, nullptr)) {
            m_otherRunning = true;
            return false;
        }
        // Something that is no lock file at all (a folder) cannot be taken
        // or removed: starting without the lock beats never starting.
        if (!QFileInfo(m_lock->fileName()).isFile())
            return true;
        QThread::msleep(UnreadableLockGraceMs);
        if (!m_lock->getLockInfo(nullptr, nullptr, nullptr))
            m_lock->removeStaleLockFile();
    }
    m_otherRunning = true;
    return false;
}

#include "SafeFileWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

#ifdef Q_OS_LINUX

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The short-lived name an unnamed file gets just before it replaces the
// target; it holds the writer's process id so a leftover can be told apart.
QString savingName(const QString& fileName, qint64 pid) {
    return u"."_s + fileName + u".saving-"_s + QString::number(pid);
}

} // namespace

void RemoveStaleSavingFiles(const QString& folder, const QString& fileName) {
    const QString prefix = savingName(fileName, 0).chopped(1);
    QDir dir(folder);
    for (const QString& entry : dir.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden)) {
        bool isNumber = false;
        const qint64 pid = entry.mid(prefix.size()).toLongLong(&isNumber);
        if (isNumber && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            dir.remove(entry);
    }
}

namespace {

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

struct SafeFileWriter::Unnamed {
    int folder = -1;
    int file = -1;
    QString folderPath;
    QString fileName;

    ~Unnamed() {
        if (file >= 0)
            ::close(file);
        if (folder >= 0)
            ::close(folder);
    }
};

#else

struct SafeFileWriter::Unnamed {};

void RemoveStaleSavingFiles(const QString&, const QString&) {}

#endif

SafeFileWriter::SafeFileWriter(const QString& path)
    : m_path(path) {}

SafeFileWriter::~SafeFileWriter() = default;

bool SafeFileWriter::fail(const QString& error) {
    m_error = error;
    m_unnamed.reset();
    if (m_saveFile)
        m_saveFile->cancelWriting();
    return false;
}

bool SafeFileWriter::open() {
    const QFileInfo target(m_path);
    if (target.isDir())
        return fail(u"%1 is a folder"_s.arg(QDir::toNativeSeparators(m_path)));
#ifdef Q_OS_LINUX
    auto unnamed = std::make_unique<Unnamed>();
    unnamed->folderPath = target.absolutePath();
    unnamed->fileName = target.fileName();
    const QByteArray folder = QFile::encodeName(unnamed->folderPath);
    unnamed->folder = ::open(folder.constData(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
    if (unnamed->folder < 0)
        return fail(systemError(errno));
    unnamed->file = ::openat(unnamed->folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (unnamed->file >= 0) {
        RemoveStaleSavingFiles(unnamed->folderPath, unnamed->fileName);
        m_unnamed = std::move(unnamed);
        return true;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return fail(systemError(errno));
#endif
    // Unbuffered, so a failed write is reported by write() itself: with Qt's
    // buffering a full disk surfaced only at commit, which still went ahead.
    m_saveFile = std::make_unique<QSaveFile>(m_path);
    if (!m_saveFile->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_saveFile->errorString());
    return true;
}

bool SafeFileWriter::write(QByteArrayView bytes) {
    if (m_saveFile) {
        if (m_saveFile->write(bytes.data(), bytes.size()) != bytes.size())
            return fail(m_saveFile->errorString());
        return true;
    }
#ifdef Q_OS_LINUX
    if (!m_unnamed)
        return fail(m_error.isEmpty() ? u"the file is not open"_s : m_error);
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_unnamed->file, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(systemError(errno));
        }
        data += written;
        left -= written;
    }
    return true;
#else
    return fail(u"the file is not open"_s);
#endif
}

bool SafeFileWriter::commit() {
    if (m_saveFile) {
        if (!m_saveFile->flush() || !m_saveFile->commit())
            return fail(m_saveFile->errorString());
        return true;
    }
#ifdef Q_OS_LINUX
    if (!m_unnamed)
        return fail(m_error.isEmpty() ? u"the file is not open"_s : m_error);
    Unnamed& file = *m_unnamed;
    const QByteArray name = QFile::encodeName(file.fileName);
    struct stat old {};
    const mode_t mode = ::fstatat(file.folder, name.constData(), &old, 0) == 0
                            ? (old.st_mode & 07777)
                            : (0666 & ~currentUmask());
    if (::fchmod(file.file, mode) != 0 || ::fsync(file.file) != 0)
        return fail(systemError(errno));
    // Give the complete file a name of its own, then move it over the target
    // in one step.
    const QByteArray saving = QFile::encodeName(savingName(file.fileName, ::getpid()));
    ::unlinkat(file.folder, saving.constData(), 0);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.file);
    if (::linkat(AT_FDCWD, self.constData(), file.folder, saving.constData(), AT_SYMLINK_FOLLOW) !=
        0)
        return fail(systemError(errno));
    if (::renameat(file.folder, saving.constData(), file.folder, name.constData()) != 0) {
        const int error = errno;
        ::unlinkat(file.folder, saving.constData(), 0);
        return fail(systemError(error));
    }
    ::fsync(file.folder);
    m_unnamed.reset();
    return true;
#else
    return fail(u"the file is not open"_s);
#endif
}

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error) {
    SafeFileWriter writer(path);
    if (writer.open() && writer.write(bytes) && writer.commit())
        return true;
    if (error)
        *error = writer.errorString();
    return false;
}

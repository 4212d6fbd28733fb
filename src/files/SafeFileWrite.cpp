#include "SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Links are followed at most this many times, as the kernel does.
constexpr int MaxLinkHops = 40;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString shown(const QByteArray& path) {
    return QDir::toNativeSeparators(QFile::decodeName(path));
}

QString savingPrefix(const QString& fileName) {
    return u"."_s + fileName + u".saving-"_s;
}

// A fresh name for a temporary file: the process id tells a leftover apart
// from a save in progress, the counter two saves of one process.
QByteArray newSavingName(const QString& fileName) {
    static std::atomic<int> counter{0};
    return QFile::encodeName(savingPrefix(fileName) + QString::number(::getpid()) + u'-' +
                             QString::number(++counter));
}

bool isNumber(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The process id in a temporary file's name, when the name is one of ours.
std::optional<qint64> savingProcess(const QString& entry, const QString& prefix) {
    if (!entry.startsWith(prefix))
        return std::nullopt;
    const QStringView rest = QStringView(entry).sliced(prefix.size());
    const qsizetype dash = rest.indexOf(u'-');
    const QStringView pid = dash < 0 ? rest : rest.first(dash);
    if (!isNumber(pid) || (dash >= 0 && !isNumber(rest.sliced(dash + 1))) || pid.size() > 18)
        return std::nullopt;
    return pid.toLongLong();
}

struct Target {
    QByteArray path;
    bool exists = false;
    struct stat status {};
};

// Follows path through any links to the file a write must replace.
Result<Target> resolveTarget(QByteArray path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        Target target{path};
        if (::lstat(path.constData(), &target.status) != 0) {
            if (errno == ENOENT)
                return target;
            return Failure{systemError(errno)};
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return target;
        }
        QByteArray link(qsizetype(target.status.st_size > 0 ? target.status.st_size : 255) + 1,
                        Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0 || length >= link.size()) {
            return Failure{length < 0 ? systemError(errno) : u"the link changed while read"_s};
        }
        link.truncate(length);
        path = link.startsWith('/') ? link : path.left(path.lastIndexOf('/') + 1) + link;
    }
    return Failure{systemError(ELOOP)};
}

bool writeAll(int file, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t written = ::write(file, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

void RemoveStaleSavingFiles(const QString& folder, const QString& fileName) {
    if (folder.isEmpty() || fileName.isEmpty())
        return;
    const QString prefix = savingPrefix(fileName);
    QDir dir(folder);
    // Every entry is looked at by name: a name filter would read '*' or '['
    // in fileName as a pattern.
    const QStringList entries = dir.entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& entry : entries) {
        const auto pid = savingProcess(entry, prefix);
        if (pid && ::kill(pid_t(*pid), 0) != 0 && errno == ESRCH)
            dir.remove(entry);
    }
}

struct SafeFileWriter::Temporary {
    int folder = -1;
    int file = -1;
    QByteArray targetName;
    QString fileName;
    bool targetExists = false;
    struct stat target {};
    QByteArray name; // empty while the file is unnamed

    ~Temporary() {
        if (file >= 0)
            ::close(file);
        if (!name.isEmpty())
            ::unlinkat(folder, name.constData(), 0);
        if (folder >= 0)
            ::close(folder);
    }

    // Gives the new file the old one's owner, group and mode. Owner and group
    // only where the user may give them: that is not worth a failed save.
    bool takeOverTarget(int descriptor) const {
        if (!targetExists)
            return true;
        if (::fchown(descriptor, target.st_uid, target.st_gid) != 0 &&
            ::fchown(descriptor, uid_t(-1), target.st_gid) != 0) {
            // Neither is allowed: the new file stays the user's own.
        }
        return ::fchmod(descriptor, target.st_mode & 07777) == 0;
    }

    // A new file is born owner-only when it will take over an old file's
    // mode, and otherwise with the mode the user's umask gives every file.
    mode_t creationMode() const { return targetExists ? 0600 : 0666; }

    int createNamed() {
        const QByteArray candidate = newSavingName(fileName);
        const int flags = O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW;
        int descriptor = ::openat(folder, candidate.constData(), flags, creationMode());
        if (descriptor < 0 && errno == EEXIST) {
            // Left by a killed process that had our process id.
            ::unlinkat(folder, candidate.constData(), 0);
            descriptor = ::openat(folder, candidate.constData(), flags, creationMode());
        }
        if (descriptor >= 0)
            name = candidate;
        return descriptor;
    }
};

SafeFileWriter::SafeFileWriter(const QString& path, TemporaryFilePolicy policy)
    : m_path(path)
    , m_policy(policy) {}

SafeFileWriter::~SafeFileWriter() = default;

bool SafeFileWriter::fail(const QString& error) {
    m_error = error;
    m_temporary.reset();
    return false;
}

bool SafeFileWriter::open() {
    m_temporary.reset();
    const Result<Target> target = resolveTarget(QFile::encodeName(m_path));
    if (!target)
        return fail(target.error());
    const qsizetype slash = target->path.lastIndexOf('/');
    auto temporary = std::make_unique<Temporary>();
    temporary->targetName = target->path.sliced(slash + 1);
    temporary->fileName = QFile::decodeName(temporary->targetName);
    if (temporary->targetName.isEmpty())
        return fail(u"%1 names no file"_s.arg(shown(target->path)));
    if (target->exists) {
        if (S_ISDIR(target->status.st_mode))
            return fail(u"%1 is a folder"_s.arg(shown(target->path)));
        if (!S_ISREG(target->status.st_mode))
            return fail(u"%1 is not a regular file"_s.arg(shown(target->path)));
        if (::faccessat(AT_FDCWD, target->path.constData(), W_OK, AT_EACCESS) != 0)
            return fail(errno == EACCES || errno == EPERM
                            ? u"Existing file %1 is not writable"_s.arg(shown(target->path))
                            : systemError(errno));
        temporary->targetExists = true;
        temporary->target = target->status;
    }
    const QByteArray folderPath = slash < 0 ? QByteArray(".") : target->path.left(slash + 1);
    temporary->folder = ::open(folderPath.constData(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
    if (temporary->folder < 0)
        return fail(systemError(errno));
    RemoveStaleSavingFiles(QFile::decodeName(folderPath), temporary->fileName);

#ifdef O_TMPFILE
    if (m_policy != TemporaryFilePolicy::NamedOnly)
        temporary->file = ::openat(temporary->folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC,
                                   temporary->creationMode());
#endif
    // Any failure of the unnamed file is worth a try with a named one, whose
    // own failure is then the one to report.
    if (temporary->file < 0)
        temporary->file = temporary->createNamed();
    if (temporary->file < 0)
        return fail(systemError(errno));
    m_temporary = std::move(temporary);
    return true;
}

bool SafeFileWriter::write(QByteArrayView bytes) {
    if (!m_temporary)
        return fail(m_error.isEmpty() ? u"the file is not open"_s : m_error);
    if (!writeAll(m_temporary->file, bytes.data(), bytes.size()))
        return fail(systemError(errno));
    return true;
}

bool SafeFileWriter::commit() {
    if (!m_temporary)
        return fail(m_error.isEmpty() ? u"the file is not open"_s : m_error);
    Temporary& temporary = *m_temporary;
    if (!temporary.takeOverTarget(temporary.file) || ::fsync(temporary.file) != 0)
        return fail(systemError(errno));
    if (!giveTemporaryItsName())
        return false;
    if (::renameat(temporary.folder, temporary.name.constData(), temporary.folder,
                   temporary.targetName.constData()) != 0)
        return fail(systemError(errno));
    temporary.name.clear();
    // Without this the rename itself may be lost in a power cut. Some file
    // systems cannot sync a folder at all (EINVAL); they have nothing to lose.
    const bool synced = ::fsync(temporary.folder) == 0 || errno == EINVAL;
    const int syncError = errno;
    m_temporary.reset();
    if (!synced)
        return fail(u"the file was replaced, but its folder could not be synced: "_s +
                    systemError(syncError));
    return true;
}

bool SafeFileWriter::giveTemporaryItsName() {
    Temporary& temporary = *m_temporary;
    if (!temporary.name.isEmpty())
        return true;
    if (m_policy != TemporaryFilePolicy::UnnamedWithoutLink) {
        const QByteArray candidate = newSavingName(temporary.fileName);
        ::unlinkat(temporary.folder, candidate.constData(), 0); // a dead namesake's
        bool linked = false;
#ifdef AT_EMPTY_PATH
        // Allowed to privileged users only; everyone else goes through /proc.
        linked = ::linkat(temporary.file, "", temporary.folder, candidate.constData(),
                          AT_EMPTY_PATH) == 0;
#endif
        if (!linked) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(temporary.file);
            linked = ::linkat(AT_FDCWD, self.constData(), temporary.folder, candidate.constData(),
                              AT_SYMLINK_FOLLOW) == 0;
        }
        if (linked) {
            temporary.name = candidate;
            return true;
        }
    }
    return copyUnnamedToNamed();
}

// Where an unnamed file cannot be given a name (no /proc in a chroot, a
// file system that refuses), its bytes go to a named file instead.
bool SafeFileWriter::copyUnnamedToNamed() {
    Temporary& temporary = *m_temporary;
    const int named = temporary.createNamed();
    if (named < 0)
        return fail(systemError(errno));
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(temporary.file, buffer.data(), size_t(buffer.size()), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || !writeAll(named, buffer.constData(), got)) {
            const int error = errno;
            ::close(named);
            return fail(systemError(error));
        }
        if (got == 0)
            break;
        offset += got;
    }
    ::close(temporary.file);
    temporary.file = named;
    if (!temporary.takeOverTarget(named) || ::fsync(named) != 0)
        return fail(systemError(errno));
    return true;
}

Result<void> WriteFileSafely(const QString& path, const QByteArray& bytes,
                             TemporaryFilePolicy policy) {
    SafeFileWriter writer(path, policy);
    if (writer.open() && writer.write(bytes) && writer.commit())
        return {};
    return Failure{writer.errorString()};
}

#include "RegularFile.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

} // namespace

std::optional<FileIdentity> IdentityOfPath(const QString& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

std::optional<FileIdentity> IdentityOfFile(const QFile& file) {
    struct stat status {};
    if (file.handle() < 0 || ::fstat(file.handle(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

Result<void> OpenRegularFile(QFile& file, const QString& path) {
    if (path.isEmpty())
        return Failure{u"no file name given"_s};
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return Failure{QString::fromLocal8Bit(std::strerror(errno))};
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return Failure{u"%1 is not a regular file"_s.arg(QDir::toNativeSeparators(path))};
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return Failure{file.errorString()};
    }
    return {};
}

#include "FileCopy.h"

#include "PathHelpers.h"
#include "RegularFile.h"
#include "SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

constexpr qint64 ChunkSize = 1 << 20;

// The folder's identity on the file system, links followed; nothing when it
// is not an existing folder.
std::optional<FileIdentity> folderIdentity(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    return IdentityOfPath(folder);
}

} // namespace

bool IsSameFolder(const QString& first, const QString& second) {
    const auto firstIdentity = folderIdentity(first), secondIdentity = folderIdentity(second);
    if (firstIdentity || secondIdentity)
        return firstIdentity && secondIdentity && firstIdentity->sameFile(*secondIdentity);
    // Neither exists: only the same path names the same place.
    return QDir::cleanPath(QFileInfo(first).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(second).absoluteFilePath());
}

Result<void> CopyFileAs(const QString& sourcePath, const QString& targetPath,
                        const CopyProgress& progress) {
    const auto fail = [](const QString& reason) { return Result<void>(Failure{reason}); };
    QFile source;
    if (const Result<void> opened = OpenRegularFile(source, sourcePath); !opened)
        return fail(opened.error());
    const auto before = IdentityOfFile(source);
    if (!before)
        return fail(source.errorString());
    SafeFileWriter target(targetPath);
    if (!target.open())
        return fail(target.errorString());
    // Never more than the size the file had at the start: a file that keeps
    // growing must not keep the copy going.
    qint64 done = 0;
    for (qint64 left = before->size; left > 0;) {
        const QByteArray chunk = source.read(std::min(left, ChunkSize));
        if (chunk.isEmpty())
            break;
        if (!target.write(chunk))
            return fail(target.errorString());
        left -= chunk.size();
        done += chunk.size();
        if (progress && !progress(done))
            return fail(QStringLiteral("stopped"));
    }
    if (source.error() != QFileDevice::NoError)
        return fail(source.errorString());
    // A copy of a file that changed while it was read matches neither
    // version; the old target file is kept instead.
    const auto after = IdentityOfFile(source);
    if (!after || *after != *before || source.pos() != before->size)
        return fail(QStringLiteral("the file changed while it was copied"));
    if (!target.commit())
        return fail(target.errorString());
    return {};
}

Result<void> CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                              const QString& targetFolder, const std::function<void()>& progress) {
    // An empty folder names no place: never fall back to the working folder.
    if (sourceFolder.isEmpty() || targetFolder.isEmpty() || fileName.isEmpty())
        return Failure{QStringLiteral("no folder or file name given")};
    return CopyFileAs(sourceFolder + fileName, WithTrailingSeparator(targetFolder) + fileName,
                      [&progress](qint64) {
                          if (progress)
                              progress();
                          return true;
                      });
}

bool FilesHaveSameContents(const QString& first, const QString& second,
                           const CopyProgress& progress) {
    QFile a, b;
    if (!OpenRegularFile(a, first) || !OpenRegularFile(b, second) || a.size() != b.size())
        return false;
    qint64 done = 0;
    for (;;) {
        const QByteArray chunkA = a.read(ChunkSize), chunkB = b.read(ChunkSize);
        if (chunkA != chunkB)
            return false;
        if (chunkA.isEmpty())
            return a.error() == QFileDevice::NoError && b.error() == QFileDevice::NoError;
        done += chunkA.size();
        if (progress && !progress(done))
            return false;
    }
}

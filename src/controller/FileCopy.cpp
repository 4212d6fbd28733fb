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

Result<void> CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                              const QString& targetFolder, const std::function<void()>& progress) {
    const auto fail = [](const QString& reason) { return Result<void>(Failure{reason}); };
    // An empty folder names no place: never fall back to the working folder.
    if (sourceFolder.isEmpty() || targetFolder.isEmpty() || fileName.isEmpty())
        return fail(QStringLiteral("no folder or file name given"));
    QFile source;
    if (const Result<void> opened = OpenRegularFile(source, sourceFolder + fileName); !opened)
        return fail(opened.error());
    const auto before = IdentityOfFile(source);
    if (!before)
        return fail(source.errorString());
    SafeFileWriter target(WithTrailingSeparator(targetFolder) + fileName);
    if (!target.open())
        return fail(target.errorString());
    // Never more than the size the file had at the start: a file that keeps
    // growing must not keep the copy going.
    for (qint64 left = before->size; left > 0;) {
        const QByteArray chunk = source.read(std::min(left, ChunkSize));
        if (chunk.isEmpty())
            break;
        if (!target.write(chunk))
            return fail(target.errorString());
        left -= chunk.size();
        if (progress)
            progress();
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

#include "FileCopy.h"

#include "schedule/MediaNameRules.h"
#include "schedule/PathHelpers.h"
#include "schedule/SafeFileWrite.h"

#include <QFile>

namespace {

constexpr qint64 ChunkSize = 1 << 20;

QString comparable(const QString& folder) {
    return WithTrailingSeparator(TrimSpaces(folder)).toUpper();
}

} // namespace

bool IsSameFolder(const QString& first, const QString& second) {
    return comparable(first) == comparable(second);
}

bool CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                      const QString& targetFolder, QString* error,
                      const std::function<void()>& progress) {
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // An empty folder names no place: never fall back to the working folder.
    if (sourceFolder.isEmpty() || targetFolder.isEmpty() || fileName.isEmpty())
        return fail(QStringLiteral("no folder or file name given"));
    QFile source(sourceFolder + fileName);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.errorString());
    SafeFileWriter target(WithTrailingSeparator(targetFolder) + fileName);
    if (!target.open())
        return fail(target.errorString());
    QByteArray chunk;
    while (!(chunk = source.read(ChunkSize)).isEmpty()) {
        if (!target.write(chunk))
            return fail(target.errorString());
        if (progress)
            progress();
    }
    if (source.error() != QFileDevice::NoError)
        return fail(source.errorString());
    if (!target.commit())
        return fail(target.errorString());
    return true;
}

#include "PathHelpers.h"

#include <QFileInfo>

QString FolderOfPath(const QString& path, QChar separator) {
    return path.left(path.lastIndexOf(separator) + 1);
}

QString FileNameOfPath(const QString& path, QChar separator) {
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString WithTrailingSeparator(const QString& folder, QChar separator) {
    if (folder.isEmpty() || folder.endsWith(separator))
        return folder;
    return folder + separator;
}

bool FileExists(const QString& folder, const QString& fileName) {
    // An empty folder names no place: never guess the working folder.
    if (folder.isEmpty() || fileName.isEmpty() || fileName.contains(u'/') ||
        fileName.contains(QDir::separator()))
        return false;
    return QFileInfo(QDir(folder), fileName).isFile();
}

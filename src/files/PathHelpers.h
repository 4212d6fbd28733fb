#pragma once

#include <QDir>
#include <QString>

// A location is kept as a folder that ends in the separator plus a file name,
// joined by plain concatenation. The split functions take the separator so the
// same code handles '\' and '/' paths.

// Everything up to and including the last separator; empty when there is none.
QString FolderOfPath(const QString& path, QChar separator = QDir::separator());
// Everything after the last separator; the whole path when there is none.
QString FileNameOfPath(const QString& path, QChar separator = QDir::separator());
// The folder with exactly one separator at its end (an empty folder stays empty).
QString WithTrailingSeparator(const QString& folder, QChar separator = QDir::separator());

// True when fileName names an existing regular file in folder (given with or
// without its final separator; an empty folder holds nothing). The name is taken literally: '*',
// '?' and ';' are ordinary characters, and a name with a separator in it is no plain file name, so
// it is never found.
bool FileExists(const QString& folder, const QString& fileName);

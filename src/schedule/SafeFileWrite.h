#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Writes bytes to path through a temporary file in the same folder that
// replaces the old file only when every byte reached the disk. On failure the
// old file is untouched, no temporary file is left and error says why.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Opens a QSaveFile so that a failed write (a full disk) is reported by
// write() itself: with Qt's buffering the failure would only surface, or not
// at all, when the file is committed.
bool OpenSaveFile(QSaveFile& file);

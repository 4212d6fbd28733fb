#pragma once

#include "ScheduleDocument.h"

#include <QByteArrayView>
#include <QString>

struct DecodeResult {
    bool ok = false;
    ScheduleDocument document;
    // When not ok: what went wrong and the byte offset where reading failed.
    QString error;
    qint64 errorOffset = -1;
    // Bytes after the last record; readers ignore them.
    qint64 trailingBytes = 0;
};

// Decodes the bytes of a schedule file. Every step is checked: the end of the
// data, a key that lies outside its block or is empty while entries follow, a
// stored byte smaller than its key byte. The bytes must begin with the
// format name (FileFormat::Magic); the version and the markers are not
// compared, so later versions still open, and counts up to 255 are taken as
// they are.
DecodeResult DecodeSchedule(QByteArrayView bytes);

// Reads and decodes the file at path. Only a regular file is read.
DecodeResult ReadScheduleFileAt(const QString& path);

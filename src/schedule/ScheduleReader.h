#pragma once

#include "Result.h"
#include "ScheduleDocument.h"

#include <QByteArrayView>
#include <QString>

struct DecodedSchedule {
    ScheduleDocument document;
    // Bytes after the last record; readers ignore them.
    qint64 trailingBytes = 0;
};

// What went wrong, and the byte offset where decoding failed (-1 when the
// file could not be read at all).
struct ReadFailure {
    QString error;
    qint64 offset = -1;
};

using DecodeResult = Result<DecodedSchedule, ReadFailure>;

// Decodes the bytes of a schedule file. Every step is checked: the end of the
// data, a key that lies outside its block or is empty while entries follow, a
// stored byte smaller than its key byte. The bytes must begin with the
// format name (FileFormat::Magic); the version and the markers are not
// compared, so later versions still open, and counts up to 255 are taken as
// they are.
DecodeResult DecodeSchedule(QByteArrayView bytes);

// Reads and decodes the file at path. Only a regular file is read.
DecodeResult ReadScheduleFileAt(const QString& path);

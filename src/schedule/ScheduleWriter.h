#pragma once

#include "RandomSource.h"
#include "Result.h"
#include "ScheduleDocument.h"

#include <QByteArray>
#include <QString>

// The bytes of a schedule file for the document, drawn with fresh random
// values and a fresh key. Each key byte is drawn small enough for every byte
// it scrambles, so any document within the format's counts is stored at the
// first draw. Fails when a list holds more entries than the file can count.
Result<QByteArray> EncodeSchedule(const ScheduleDocument& document, RandomSource& random);

// Writes the file at path. The bytes go to a temporary
// file in the same folder that replaces the old file only when complete, so a
// failed save leaves an existing file exactly as it was.
Result<void> WriteScheduleFile(const QString& path, const ScheduleDocument& document,
                               RandomSource& random);

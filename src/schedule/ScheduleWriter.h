#pragma once

#include "RandomSource.h"
#include "ScheduleDocument.h"

#include <QByteArray>
#include <QString>

// The bytes of a schedule file for the document, drawn with fresh random
// values and a fresh key. A name byte above 128 from a foreign file may not fit
// the key drawn; then a new key is drawn, a bounded number of times. Returns an
// empty array and sets error when the document cannot be stored.
QByteArray EncodeSchedule(const ScheduleDocument& document, RandomSource& random,
                          QString* error = nullptr);

// Writes folder + fileName (joined as they are). The bytes go to a temporary
// file in the same folder that replaces the old file only when complete, so a
// failed save leaves an existing file exactly as it was.
bool WriteScheduleFile(const QString& folder, const QString& fileName,
                       const ScheduleDocument& document, RandomSource& random,
                       QString* error = nullptr);

#pragma once

#include "schedule/ScheduleDocument.h"

#include <QByteArray>
#include <QMetaType>
#include <QRandomGenerator>

// Shared pieces of the mvstool and JSON tests.

MediaEntry Media(const QByteArray& name, const QByteArray& extension, int playTimes = 1,
                 int volume = DefaultVolume);

// An advance entry from "YYYY-MM-DD" dates and "HH:MM:SS" times, for valid
// values only.
AdvanceEntry Advance(const char* startDate, const char* startTime, const char* stopDate,
                     const char* stopTime, int weekDay, QList<MediaEntry> details);

// The JSON example that documents the format, and the document it holds.
QByteArray DesignExampleJson();
ScheduleDocument DesignExampleDocument();

// A document the editors could have made and Save accepts: names drawn from
// the editor's characters, values from the editors' lists, valid periods.
ScheduleDocument RandomEditorDocument(QRandomGenerator& random);

// A document of any bytes up to highestByte, as a file from elsewhere may bring.
ScheduleDocument RandomByteDocument(QRandomGenerator& random, int highestByte = 255);

// Expected dumps for the JSON tests: two basic entries and an advance entry
// with two details followed by one without; one advance entry only; one
// advance entry with damaged period bytes.
QByteArray SeveralEntriesDump();
QByteArray AdvanceOnlyDump();
QByteArray DamagedPeriodDump();

Q_DECLARE_METATYPE(ScheduleDocument)

#pragma once

#include "ScheduleDocument.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Shared by the killed-save test and its helper, which saves until it is
// killed: the documents, and where the helper tells how far it got.

// In the file before each run; small.
ScheduleDocument PreparedDocument();
// The two the helper saves in turn. The large one makes a save take long
// enough to be hit by a kill; the small one makes the length change.
ScheduleDocument LargeDocument();
ScheduleDocument SmallDocument();

// The document of the helper's save number n (from 1): the first one given
// for odd n, the other for even n.
const ScheduleDocument& DocumentOfSave(quint32 saveNumber, bool largeFirst);

// The fixed bytes the helper writes in its "bytes" mode, drawn from seed.
QByteArray FixedBytesOf(const ScheduleDocument& document, quint32 seed);

// The helper's progress, kept in a small file it maps shared, so the counts
// survive its death: the number of the save it began last, and of the last
// save it finished. A save is under way when started > completed.
struct SaveProgress {
    quint32 started = 0;
    quint32 completed = 0;
};
inline constexpr qsizetype SaveProgressFileSize = 64;
// Reads the counts back after the helper ended.
SaveProgress ReadSaveProgress(const QString& path);

// The helper's line on standard output once it is about to save.
inline constexpr char HelperRunningLine[] = "running\n";

#pragma once

// Shared by the killed-save test and its helper, which saves until it is
// killed: what each save writes, and where the helper tells how far it got.

#include <QByteArray>

// The bytes of the helper's save number n (from 1): a large file and a small
// one in turn, the large one first when largeFirst. The large one makes a save
// take long enough to be hit by a kill (and its period of 13 shows a chunk
// written twice or lost); the small one makes the length change.
inline QByteArray BytesOfSave(quint32 saveNumber, bool largeFirst) {
    const bool large = (saveNumber % 2 == 1) == largeFirst;
    return large ? QByteArray("0123456789abc").repeated(5000) : QByteArray("the small file");
}

// The helper's progress, kept in a small file it maps shared, so the counts
// survive its death: the number of the save it began last, and of the last
// save it finished. A save is under way when started > completed.
struct SaveProgress {
    quint32 started = 0;
    quint32 completed = 0;
};
inline constexpr qsizetype SaveProgressFileSize = 64;

// The helper's line on standard output once it is about to save.
inline constexpr char HelperRunningLine[] = "running\n";

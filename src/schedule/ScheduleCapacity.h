#pragma once

#include "ScheduleDocument.h"

// A limit of the editor that a document goes beyond: more entries in a list
// than the list may hold, or a size estimate that Save refuses. Documents from
// other tools, or older files, can be opened like that.
struct LimitExcess {
    enum Kind { BasicEntries, AdvanceEntries, DetailEntries, SizeEstimate };
    Kind kind = BasicEntries;
    int advanceRow = -1; // whose details, for DetailEntries
    qint64 value = 0;
    qint64 limit = 0; // a count's highest value; the budget the estimate must stay below

    friend bool operator==(const LimitExcess&, const LimitExcess&) = default;
};

// In the order of the lists, the size estimate last; empty when all is well.
QList<LimitExcess> LimitExcesses(const ScheduleDocument& document);

// True when a document of this size estimate may be saved.
inline bool WithinSizeBudget(qint64 estimate) {
    return estimate < ScheduleSizeBudget;
}

#include "ScheduleCapacity.h"

QList<LimitExcess> LimitExcesses(const ScheduleDocument& document) {
    QList<LimitExcess> excesses;
    const auto count = [&](LimitExcess::Kind kind, int advanceRow, qsizetype value, int limit) {
        if (value > limit)
            excesses.append({kind, advanceRow, value, limit});
    };
    count(LimitExcess::BasicEntries, -1, document.basicCount(), MaxBasicEntries);
    count(LimitExcess::AdvanceEntries, -1, document.advanceCount(), MaxAdvanceEntries);
    for (int row = 0; row < document.advanceCount(); ++row)
        count(LimitExcess::DetailEntries, row, document.advanceEntries()[row].detailCount(),
              MaxDetailEntries);
    if (const qint64 estimate = ScheduleSizeEstimate(document); !WithinSizeBudget(estimate))
        excesses.append({LimitExcess::SizeEstimate, -1, estimate, ScheduleSizeBudget});
    return excesses;
}

#pragma once

#include "PeriodMatching.h"
#include "ScheduleDocument.h"

#include <QDate>
#include <QList>
#include <QString>

// What in a schedule is allowed but most likely not meant: a period that can
// never play, a period that has ended, two periods with the same dates, week
// day and time window, a size estimate close to the budget. Warnings never
// stop a save; they are there to be read.
struct ScheduleWarning {
    enum class Kind { NeverPlays, Ended, SamePeriod, NearSizeBudget };

    Kind kind = Kind::NeverPlays;
    int advanceRow = -1;                // the period it concerns; -1 for the whole schedule
    int sameAsRow = -1;                 // SamePeriod: the first period with the same values
    NeverPlays reason = NeverPlays::No; // NeverPlays: why
    qint64 sizeEstimate = 0;            // NearSizeBudget

    friend bool operator==(const ScheduleWarning&, const ScheduleWarning&) = default;
};

// A size estimate above this is close to the budget.
inline constexpr qint64 SizeWarningThreshold = ScheduleSizeBudget * 9 / 10;

// In list order, the size last. A period that can never play is not also
// reported as ended.
QList<ScheduleWarning> ScheduleWarnings(const ScheduleDocument& document, const QDate& today);

// One line for the command line: the entry's JSON path and what is wrong, in
// English, without the "warning: " that the command puts before it.
QString WarningLine(const ScheduleDocument& document, const ScheduleWarning& warning,
                    const QDate& today);

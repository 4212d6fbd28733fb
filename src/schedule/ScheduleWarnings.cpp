#include "ScheduleWarnings.h"

#include "DateRules.h"
#include "JsonPath.h"
#include "RowFormat.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// The fields that decide when a period plays; every-day values count as one.
QByteArray periodKey(const AdvancePeriod& period) {
    const quint8 weekDay = IsEveryWeekDay(period.weekDay) ? EveryWeekDay : period.weekDay;
    const quint8 bytes[] = {period.startYear, period.startMonth,  period.startDay,
                            period.startHour, period.startMinute, period.startSecond,
                            period.stopYear,  period.stopMonth,   period.stopDay,
                            period.stopHour,  period.stopMinute,  period.stopSecond,
                            weekDay};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

QString advancePath(int row) {
    return JsonElementPath(u"advance"_s, row);
}

QString neverPlaysText(const AdvancePeriod& period, NeverPlays reason) {
    const QString start = DateText(StartDateOf(period));
    const QString stop = DateText(StopDateOf(period));
    switch (reason) {
    case NeverPlays::NoDateInRange:
        if (StopDateOf(period) < StartDateOf(period))
            return u"its stop date %1 is before its start date %2"_s.arg(stop, start);
        return u"no calendar day lies between %1 and %2"_s.arg(start, stop);
    case NeverPlays::WeekDayOutsideDates:
        return u"no %1 lies between %2 and %3"_s.arg(WeekDayRowName(period.weekDay), start, stop);
    case NeverPlays::NoTimeInWindow:
        return u"no time of day lies between %1 and %2"_s.arg(TimeText(StartTimeOf(period)),
                                                              TimeText(StopTimeOf(period)));
    case NeverPlays::No:
        break;
    }
    return {};
}

} // namespace

QList<ScheduleWarning> ScheduleWarnings(const ScheduleDocument& document, const QDate& today) {
    QList<ScheduleWarning> warnings;
    QHash<QByteArray, int> firstWithPeriod;
    const QList<AdvanceEntry>& entries = document.advanceEntries();
    for (int row = 0; row < int(entries.size()); ++row) {
        const AdvanceEntry& entry = entries[row];
        const NeverPlays reason = NeverPlaysReason(entry);
        if (reason != NeverPlays::No) {
            ScheduleWarning warning{ScheduleWarning::Kind::NeverPlays, row};
            warning.reason = reason;
            warnings.append(warning);
        } else if (ReachOf(entry).lastDate < today) {
            warnings.append({ScheduleWarning::Kind::Ended, row});
        }
        const QByteArray key = periodKey(entry);
        if (const auto first = firstWithPeriod.constFind(key); first != firstWithPeriod.cend())
            warnings.append({ScheduleWarning::Kind::SamePeriod, row, *first});
        else
            firstWithPeriod.insert(key, row);
    }
    const qint64 estimate = ScheduleSizeEstimate(document);
    if (estimate > SizeWarningThreshold) {
        ScheduleWarning warning{ScheduleWarning::Kind::NearSizeBudget};
        warning.sizeEstimate = estimate;
        warnings.append(warning);
    }
    return warnings;
}

QString WarningLine(const ScheduleDocument& document, const ScheduleWarning& warning,
                    const QDate& today) {
    const auto entry = [&] { return document.advanceEntries().at(warning.advanceRow); };
    switch (warning.kind) {
    case ScheduleWarning::Kind::NeverPlays:
        return u"%1: can never play: %2"_s.arg(advancePath(warning.advanceRow),
                                               neverPlaysText(entry(), warning.reason));
    case ScheduleWarning::Kind::Ended:
        return u"%1: has ended: its stop date %2 is before today, %3"_s.arg(
            advancePath(warning.advanceRow), DateText(StopDateOf(entry())),
            today.toString(Qt::ISODate));
    case ScheduleWarning::Kind::SamePeriod:
        return u"%1: same dates, week day and time window as %2; the player chooses between them"_s
            .arg(advancePath(warning.advanceRow), advancePath(warning.sameAsRow));
    case ScheduleWarning::Kind::NearSizeBudget:
        return u"size estimate %1 is above 90% of the budget of %2"_s.arg(warning.sizeEstimate)
            .arg(ScheduleSizeBudget);
    }
    return {};
}

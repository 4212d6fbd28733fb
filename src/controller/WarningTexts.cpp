#include "WarningTexts.h"

#include "CurrentTexts.h"
#include "DateRules.h"
#include "PeriodTexts.h"

using namespace Qt::StringLiterals;

namespace {

QString dateText(const CalendarDate& date) {
    return DateText(date, u'/'); // as the advance rows show dates
}

QString neverPlaysText(int number, const AdvancePeriod& period, NeverPlays reason) {
    switch (reason) {
    case NeverPlays::WeekDayOutsideDates:
        return Text(TextSlot::NeverPlaysWeekDay)
            .arg(QString::number(number), WeekDayWords(period.weekDay),
                 dateText(StartDateOf(period)), dateText(StopDateOf(period)));
    case NeverPlays::NoTimeInWindow:
        return Text(TextSlot::NeverPlaysTimes)
            .arg(QString::number(number), TimeText(StartTimeOf(period)),
                 TimeText(StopTimeOf(period)));
    case NeverPlays::NoDateInRange:
    case NeverPlays::No:
        break;
    }
    return Text(TextSlot::NeverPlaysDates)
        .arg(QString::number(number), dateText(StartDateOf(period)), dateText(StopDateOf(period)));
}

} // namespace

QString WarningText(const ScheduleDocument& document, const ScheduleWarning& warning) {
    const int number = warning.advanceRow + 1;
    switch (warning.kind) {
    case ScheduleWarning::Kind::NeverPlays:
        return neverPlaysText(number, document.advanceEntries().at(warning.advanceRow),
                              warning.reason);
    case ScheduleWarning::Kind::Ended:
        return Text(TextSlot::PeriodEnded)
            .arg(QString::number(number),
                 dateText(StopDateOf(document.advanceEntries().at(warning.advanceRow))));
    case ScheduleWarning::Kind::SamePeriod:
        return Text(TextSlot::SamePeriod)
            .arg(QString::number(number), QString::number(warning.sameAsRow + 1));
    case ScheduleWarning::Kind::NearSizeBudget:
        return Text(TextSlot::NearSizeBudget)
            .arg(QString::number(warning.sizeEstimate), QString::number(ScheduleSizeBudget));
    }
    return {};
}

QString PeriodNumbers(const QList<int>& advanceRows) {
    QStringList numbers;
    for (int row : advanceRows)
        numbers.append(QString::number(row + 1));
    return numbers.join(u", "_s);
}

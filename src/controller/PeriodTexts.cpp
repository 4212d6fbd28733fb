#include "PeriodTexts.h"

#include "CurrentTexts.h"
#include "DateRules.h"

QString PeriodTimeWindowText(const AdvancePeriod& period) {
    return Text(TextSlot::PeriodTimeWindow)
        .arg(TimeText(StartTimeOf(period)), TimeText(StopTimeOf(period)));
}

QString WeekDayWords(quint8 weekDay) {
    // Any value above Saturday plays every day, as the row says "All Day".
    return Text(weekDay < EveryWeekDay ? TextSlot(int(TextSlot::Sunday) + weekDay)
                                       : TextSlot::AllDay);
}

QString PeriodTip(const AdvanceEntry& entry) {
    return PeriodTimeWindowText(entry) + u'\n' + WeekDayWords(entry.weekDay) + u'\n' +
           Text(TextSlot::DetailCountTip).arg(entry.detailCount());
}

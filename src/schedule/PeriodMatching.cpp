#include "PeriodMatching.h"

#include "DateRules.h"

namespace {

QDate dateOf(const CalendarDate& date) {
    return QDate(date.year, date.month, date.day);
}

// The first calendar day that does not come before date in field order.
QDate firstDayFrom(const CalendarDate& date) {
    if (date.month > 12)
        return QDate(date.year + 1, 1, 1);
    if (date.month < 1)
        return QDate(date.year, 1, 1);
    if (date.day < 1)
        return QDate(date.year, date.month, 1);
    if (date.day > DaysOfMonth(date.year, date.month))
        return QDate(date.year, date.month, 1).addMonths(1);
    return dateOf(date);
}

// The last calendar day that does not come after date in field order.
QDate lastDayUpTo(const CalendarDate& date) {
    if (date.month > 12)
        return QDate(date.year, 12, 31);
    if (date.month < 1)
        return QDate(date.year - 1, 12, 31);
    if (date.day < 1)
        return QDate(date.year, date.month, 1).addDays(-1);
    return QDate(date.year, date.month, std::min(date.day, DaysOfMonth(date.year, date.month)));
}

int secondsOf(int hour, int minute, int second) {
    return (hour * 60 + minute) * 60 + second;
}

// The first time of day that does not come before time in field order; -1 if none.
int firstSecondFrom(const TimeOfDay& time) {
    if (time.hour > 23)
        return -1;
    if (time.minute > 59)
        return time.hour == 23 ? -1 : secondsOf(time.hour + 1, 0, 0);
    if (time.second > 59)
        return time.hour == 23 && time.minute == 59 ? -1 : secondsOf(time.hour, time.minute + 1, 0);
    return secondsOf(time.hour, time.minute, time.second);
}

// The last time of day that does not come after time in field order.
int lastSecondUpTo(const TimeOfDay& time) {
    if (time.hour > 23)
        return SecondsPerDay - 1;
    if (time.minute > 59)
        return secondsOf(time.hour, 59, 59);
    return secondsOf(time.hour, time.minute, std::min(time.second, 59));
}

bool onWeekDay(const AdvancePeriod& period, const QDate& date) {
    return IsEveryWeekDay(period.weekDay) || WeekDayOf(date) == period.weekDay;
}

} // namespace

int WeekDayOf(const QDate& date) {
    return date.dayOfWeek() % 7; // Qt counts Monday 1 ... Sunday 7
}

PeriodReach ReachOf(const AdvancePeriod& period) {
    PeriodReach reach;
    const QDate first = firstDayFrom(StartDateOf(period));
    const QDate last = lastDayUpTo(StopDateOf(period));
    if (first <= last) {
        reach.firstDate = first;
        reach.lastDate = last;
    }
    const int firstSecond = firstSecondFrom(StartTimeOf(period));
    const int lastSecond = lastSecondUpTo(StopTimeOf(period));
    if (firstSecond >= 0 && firstSecond <= lastSecond) {
        reach.firstSecond = firstSecond;
        reach.lastSecond = lastSecond;
    }
    return reach;
}

bool MatchesDate(const AdvancePeriod& period, const QDate& date) {
    const PeriodReach reach = ReachOf(period);
    return reach.hasDates() && reach.hasTimes() && date >= reach.firstDate &&
           date <= reach.lastDate && onWeekDay(period, date);
}

bool MatchesMoment(const AdvancePeriod& period, const QDate& date, int secondOfDay) {
    const PeriodReach reach = ReachOf(period);
    return MatchesDate(period, date) && secondOfDay >= reach.firstSecond &&
           secondOfDay <= reach.lastSecond;
}

std::optional<QDate> FirstPlayingDate(const AdvancePeriod& period) {
    const PeriodReach reach = ReachOf(period);
    if (!reach.hasDates() || !reach.hasTimes())
        return std::nullopt;
    // Seven days hold every week day.
    for (QDate date = reach.firstDate; date <= reach.lastDate && date < reach.firstDate.addDays(7);
         date = date.addDays(1)) {
        if (onWeekDay(period, date))
            return date;
    }
    return std::nullopt;
}

NeverPlays NeverPlaysReason(const AdvancePeriod& period) {
    const PeriodReach reach = ReachOf(period);
    if (!reach.hasDates())
        return NeverPlays::NoDateInRange;
    if (!reach.hasTimes())
        return NeverPlays::NoTimeInWindow;
    return FirstPlayingDate(period) ? NeverPlays::No : NeverPlays::WeekDayOutsideDates;
}

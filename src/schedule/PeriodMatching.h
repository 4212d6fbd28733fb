#pragma once

#include "AdvanceEntry.h"

#include <QDate>
#include <optional>

// When a period plays. A period matches a moment when the date lies between
// its start and stop dates (both included), the week day is its week day (or
// it is every day) and the time lies between its start and stop times (both
// included). Dates and times compare field by field, year (hour) first, so a
// damaged field such as month 13 or minute 70 keeps its place in that order
// and the rule stays defined for every stored period.

inline constexpr int SecondsPerDay = 24 * 60 * 60;

// 0 Sunday ... 6 Saturday, the numbering of the week day field.
int WeekDayOf(const QDate& date);
// Week day 7 and above (a damaged file) mean every day, as the rows show them.
inline bool IsEveryWeekDay(quint8 weekDay) {
    return weekDay >= EveryWeekDay;
}

// The real calendar days and times of day that a period's fields enclose.
struct PeriodReach {
    QDate firstDate; // null when no calendar day lies between the start and stop dates
    QDate lastDate;
    int firstSecond = -1; // seconds from midnight; -1 when no time of day lies in the window
    int lastSecond = -1;

    bool hasDates() const { return firstDate.isValid(); }
    bool hasTimes() const { return firstSecond >= 0; }
};
PeriodReach ReachOf(const AdvancePeriod& period);

bool MatchesDate(const AdvancePeriod& period, const QDate& date);
bool MatchesMoment(const AdvancePeriod& period, const QDate& date, int secondOfDay);

// Why a period matches no moment at all.
enum class NeverPlays {
    No,                  // it plays at some moment
    NoDateInRange,       // no calendar day between its dates (the stop date may be first)
    WeekDayOutsideDates, // its week day falls on none of the days between its dates
    NoTimeInWindow,      // no time of day between its times (the stop time may be first)
};
NeverPlays NeverPlaysReason(const AdvancePeriod& period);

// The first day from which the period plays; nullopt when it never does.
std::optional<QDate> FirstPlayingDate(const AdvancePeriod& period);

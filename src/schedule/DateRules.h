#pragma once

#include "AdvanceEntry.h"

#include <QString>

struct CalendarDate {
    int year = FirstYear;
    int month = 1;
    int day = 1;
    auto operator<=>(const CalendarDate&) const = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const TimeOfDay&) const = default;
};

// The days of a month, Gregorian (2000 and 2096 are leap years, 2100 is not):
// 28 to 31; 0 for a month outside 1 to 12.
int DaysOfMonth(int year, int month);

// A period is accepted when its stop date is not before its start date (one
// day is a valid range) ...
bool DateSetupCheck(const CalendarDate& start, const CalendarDate& stop);
// ... and its stop time is strictly after its start time, as times of day,
// whatever the dates.
bool TimeSetupCheck(const TimeOfDay& start, const TimeOfDay& stop);

// yyyy-mm-dd with the given separator; hh:mm:ss.
QString DateText(const CalendarDate& date, QChar separator = u'-');
QString TimeText(const TimeOfDay& time);

CalendarDate StartDateOf(const AdvancePeriod& period);
CalendarDate StopDateOf(const AdvancePeriod& period);
TimeOfDay StartTimeOf(const AdvancePeriod& period);
TimeOfDay StopTimeOf(const AdvancePeriod& period);
// The period of those dates and times (years from 2000), the inverse of the
// four above.
AdvancePeriod PeriodOf(const CalendarDate& startDate, const TimeOfDay& startTime,
                       const CalendarDate& stopDate, const TimeOfDay& stopTime, int weekDay);

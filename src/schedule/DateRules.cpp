#include "DateRules.h"

namespace {

// Never cut: a damaged file's month 100 stays 100.
QString zeroPadded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

bool isLeapYear(int year) {
    if (year % 4 != 0)
        return false;
    return year % 100 != 0 || year % 400 == 0;
}

} // namespace

int DaysOfMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 0;
    }
}

bool DateSetupCheck(const CalendarDate& start, const CalendarDate& stop) {
    return stop >= start;
}

bool TimeSetupCheck(const TimeOfDay& start, const TimeOfDay& stop) {
    return stop > start;
}

QString DateText(const CalendarDate& date, QChar separator) {
    return zeroPadded(date.year, 4) + separator + zeroPadded(date.month, 2) + separator +
           zeroPadded(date.day, 2);
}

QString TimeText(const TimeOfDay& time) {
    return zeroPadded(time.hour, 2) + u':' + zeroPadded(time.minute, 2) + u':' +
           zeroPadded(time.second, 2);
}

CalendarDate StartDateOf(const AdvancePeriod& period) {
    return {FirstYear + period.startYear, period.startMonth, period.startDay};
}

CalendarDate StopDateOf(const AdvancePeriod& period) {
    return {FirstYear + period.stopYear, period.stopMonth, period.stopDay};
}

TimeOfDay StartTimeOf(const AdvancePeriod& period) {
    return {period.startHour, period.startMinute, period.startSecond};
}

TimeOfDay StopTimeOf(const AdvancePeriod& period) {
    return {period.stopHour, period.stopMinute, period.stopSecond};
}

AdvancePeriod PeriodOf(const CalendarDate& startDate, const TimeOfDay& startTime,
                       const CalendarDate& stopDate, const TimeOfDay& stopTime, int weekDay) {
    AdvancePeriod period;
    period.startYear = quint8(startDate.year - FirstYear);
    period.startMonth = quint8(startDate.month);
    period.startDay = quint8(startDate.day);
    period.startHour = quint8(startTime.hour);
    period.startMinute = quint8(startTime.minute);
    period.startSecond = quint8(startTime.second);
    period.stopYear = quint8(stopDate.year - FirstYear);
    period.stopMonth = quint8(stopDate.month);
    period.stopDay = quint8(stopDate.day);
    period.stopHour = quint8(stopTime.hour);
    period.stopMinute = quint8(stopTime.minute);
    period.stopSecond = quint8(stopTime.second);
    period.weekDay = quint8(weekDay);
    return period;
}

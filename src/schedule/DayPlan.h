#pragma once

#include "ScheduleDocument.h"

#include <QDate>
#include <QList>

// What the player may play on one day: the periods that match the day, each
// over its time window, and the day cut into segments by what matches in
// each. Where several periods match, all of them are named; which one plays is
// the player's choice, and the plan does not guess it.

struct DayWindow {
    int advanceRow = 0;
    int firstSecond = 0; // seconds from midnight, both included
    int lastSecond = 0;
    friend bool operator==(const DayWindow&, const DayWindow&) = default;
};

struct DaySegment {
    int firstSecond = 0; // both included
    int lastSecond = 0;
    QList<int> advanceRows; // in list order; empty where the basic schedule plays
    friend bool operator==(const DaySegment&, const DaySegment&) = default;
};

// The periods that match some moment of date, in list order.
QList<DayWindow> PeriodsOnDate(const ScheduleDocument& document, const QDate& date);

// The whole day, 00:00:00 to 23:59:59, without gap or overlap; neighbouring
// segments differ in what matches.
QList<DaySegment> DaySegments(const QList<DayWindow>& windows);

// HH:MM:SS of a second of the day.
QString SecondText(int secondOfDay);

// The advance rows that match the moment, in list order; empty for the basic
// schedule.
QList<int> PeriodsAt(const ScheduleDocument& document, const QDate& date, int secondOfDay);

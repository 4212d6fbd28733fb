#pragma once

#include "AdvanceEntry.h"

#include <QString>

// What an advance row does not show, in the current language: its time
// window, its week day in words, and how many media files it plays.
QString PeriodTimeWindowText(const AdvancePeriod& period);
QString WeekDayWords(quint8 weekDay);
// The advance row's tooltip: the three, one a line.
QString PeriodTip(const AdvanceEntry& entry);

#pragma once

#include "AdvanceEntry.h"

#include <QString>

// The rows of the three lists. Every row shown for an entry comes from these,
// so a row looks the same however it got into its list.

// Name bytes as the characters of the Windows-1252 code page. A byte without a
// printable character (a control code, or one of the five the code page leaves
// undefined) is shown as U+FFFD, one character either way, so columns still
// line up and a row stays on one line.
QString AnsiText(QByteArrayView bytes);

// File name column (21 wide: name, '.', extension, then one space for every 0
// byte), 5 spaces, play times left-aligned in 3, then the volume: 5 spaces and
// "Default", or 8 spaces and the number.
QString MediaRowText(const MediaEntry& entry);

// Start date, 3 spaces, stop date (yyyy/mm/dd), 3 spaces, the English week
// day name; 7 and above read "All Day".
QString AdvanceRowText(const AdvancePeriod& period);
// That fixed English name of a week day value, "Sunday" to "Saturday" or "All Day".
QString WeekDayRowName(quint8 weekDay);

// How a change names its entry: "MOVIE.MPG", and a period by its dates,
// "2026/01/01 - 2026/01/31".
QString MediaFileText(const MediaEntry& entry);
QString PeriodDatesText(const AdvancePeriod& period);

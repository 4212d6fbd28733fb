#pragma once

#include "ScheduleWarnings.h"

// A warning as the editor shows it, in the current language. Periods are
// counted from 1, as the rows are numbered on screen.
QString WarningText(const ScheduleDocument& document, const ScheduleWarning& warning);

// "1, 3": advance rows numbered as the editor numbers them on screen.
QString PeriodNumbers(const QList<int>& advanceRows);

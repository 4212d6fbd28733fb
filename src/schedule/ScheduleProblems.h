#pragma once

#include "ScheduleDocument.h"

#include <QStringList>

// Everything in a document that the editors would not have produced, one
// human-readable line each, naming the entry ("basic entry 3: play times 120
// is above 100"): lists over their limits, values outside the editors' lists,
// name bytes the media entry editor never stores, reserved bytes in use,
// periods the advance entry editor refuses, what Save would refuse, and
// trailingBytes bytes after the last record of the file. Entries are counted
// from 1, as the reader's messages count them. Empty when there is nothing.
QStringList ScheduleProblems(const ScheduleDocument& document, qint64 trailingBytes = 0);

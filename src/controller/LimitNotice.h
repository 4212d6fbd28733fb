#pragma once

#include "ScheduleCapacity.h"

#include <QString>

// What the editor says, in the current language, when a file it opened goes
// beyond its limits: one line per limit with the numbers.
QString LimitNotice(const QString& path, const QList<LimitExcess>& excesses);

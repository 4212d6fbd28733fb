#pragma once

#include "MediaEntry.h"

#include <QList>

// When an advance entry applies. The twelve date and time bytes keep the
// file's order: start, then stop.
struct AdvancePeriod {
    quint8 startYear = 0; // year minus 2000
    quint8 startMonth = 1;
    quint8 startDay = 1;
    quint8 startHour = 0;
    quint8 startMinute = 0;
    quint8 startSecond = 0;
    quint8 stopYear = 0; // year minus 2000
    quint8 stopMonth = 1;
    quint8 stopDay = 1;
    quint8 stopHour = 23;
    quint8 stopMinute = 59;
    quint8 stopSecond = 59;
    quint8 weekDay = EveryWeekDay; // 0 Sunday ... 6 Saturday, 7 every day

    friend bool operator==(const AdvancePeriod&, const AdvancePeriod&) = default;
};

// One period of the advance schedule with its own detail list, the media
// played during it. Copying an entry copies its details with it.
struct AdvanceEntry : AdvancePeriod {
    QList<MediaEntry> details;

    qsizetype detailCount() const { return details.size(); }
    const AdvancePeriod& period() const { return *this; }
    void setPeriod(const AdvancePeriod& period) { static_cast<AdvancePeriod&>(*this) = period; }

    friend bool operator==(const AdvanceEntry&, const AdvanceEntry&) = default;
};

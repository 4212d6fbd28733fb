#include "DayPlan.h"

#include "PeriodMatching.h"

#include <QTime>
#include <algorithm>

QList<DayWindow> PeriodsOnDate(const ScheduleDocument& document, const QDate& date) {
    QList<DayWindow> windows;
    const QList<AdvanceEntry>& entries = document.advanceEntries();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        if (!MatchesDate(entries[row], date))
            continue;
        const PeriodReach reach = ReachOf(entries[row]);
        windows.append({int(row), reach.firstSecond, reach.lastSecond});
    }
    return windows;
}

QList<DaySegment> DaySegments(const QList<DayWindow>& windows) {
    // Every second at which what matches may change.
    QList<int> starts{0};
    starts.reserve(2 * windows.size() + 1);
    for (const DayWindow& window : windows) {
        starts.append(window.firstSecond);
        if (window.lastSecond + 1 < SecondsPerDay)
            starts.append(window.lastSecond + 1);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    QList<DaySegment> segments;
    segments.reserve(starts.size());
    for (qsizetype i = 0; i < starts.size(); ++i) {
        DaySegment segment;
        segment.firstSecond = starts[i];
        segment.lastSecond = i + 1 < starts.size() ? starts[i + 1] - 1 : SecondsPerDay - 1;
        for (const DayWindow& window : windows) {
            if (window.firstSecond <= segment.firstSecond &&
                segment.firstSecond <= window.lastSecond)
                segment.advanceRows.append(window.advanceRow);
        }
        if (!segments.isEmpty() && segments.last().advanceRows == segment.advanceRows)
            segments.last().lastSecond = segment.lastSecond;
        else
            segments.append(std::move(segment));
    }
    return segments;
}

QString SecondText(int secondOfDay) {
    return QTime(0, 0).addSecs(secondOfDay).toString(QStringLiteral("HH:mm:ss"));
}

QList<int> PeriodsAt(const ScheduleDocument& document, const QDate& date, int secondOfDay) {
    QList<int> rows;
    const QList<AdvanceEntry>& entries = document.advanceEntries();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        if (MatchesMoment(entries[row], date, secondOfDay))
            rows.append(int(row));
    }
    return rows;
}

#pragma once

#include "ScheduleDocument.h"

#include <QObject>

class QLabel;
class QStatusBar;

// The status bar's view of how full the schedule is: the basic and advance
// counts, the details of the selected period and the size estimate, each
// against its limit, and the selected period's time window. A value at its
// limit stands out, so nobody learns of it only when Save refuses.
class CapacityStatus final : public QObject {
    Q_OBJECT

public:
    explicit CapacityStatus(QStatusBar* bar);

    // advanceRow is the selected period, -1 when none.
    void show(const ScheduleDocument& document, int advanceRow);

private:
    QLabel* m_basic;
    QLabel* m_periods;
    QLabel* m_details;
    QLabel* m_size;
    QLabel* m_timeWindow;
};

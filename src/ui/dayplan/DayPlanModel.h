#pragma once

#include "DayPlan.h"

#include <QAbstractTableModel>
#include <QPoint>

// One day of a schedule as rows for the day plan window: each period that
// matches the day, in list order, then the basic schedule where no period
// matches. A row's time spans are seconds from midnight, first and last both
// included, as QPoint(first, last).
class DayPlanModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { LabelColumn, TimesColumn, TimelineColumn, ColumnCount };
    static constexpr int SpansRole = Qt::UserRole;           // QList<QPoint>
    static constexpr int SharedSpansRole = Qt::UserRole + 1; // where other periods match too
    static constexpr int AdvanceRowRole = Qt::UserRole + 2;  // -1 on the basic row

    using QAbstractTableModel::QAbstractTableModel;

    void setPlan(const ScheduleDocument& document, const QDate& date);
    const QList<DaySegment>& segments() const { return m_segments; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // No heading texts: the timeline's heading draws the hours.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        int advanceRow = -1;
        QString label;
        QList<QPoint> spans;
        QList<QPoint> sharedSpans;
    };
    QList<Row> m_rows;
    QList<DaySegment> m_segments;
};

// "08:00:00 - 17:30:00, 20:00:00 - 23:59:59", in the current language.
QString SpansText(const QList<QPoint>& spans);

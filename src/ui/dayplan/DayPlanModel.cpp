#include "DayPlanModel.h"

#include "CurrentTexts.h"
#include "PeriodTexts.h"

#include <QHash>

using namespace Qt::StringLiterals;

QString SpansText(const QList<QPoint>& spans) {
    QStringList texts;
    for (const QPoint& span : spans)
        texts.append(Text(TextSlot::TimeSpan).arg(SecondText(span.x()), SecondText(span.y())));
    return texts.join(u", "_s);
}

void DayPlanModel::setPlan(const ScheduleDocument& document, const QDate& date) {
    beginResetModel();
    m_rows.clear();
    const QList<DayWindow> windows = PeriodsOnDate(document, date);
    m_segments = DaySegments(windows);
    QHash<int, qsizetype> rowOfPeriod;
    for (const DayWindow& window : windows) {
        const AdvanceEntry& entry = document.advanceEntries().at(window.advanceRow);
        rowOfPeriod.insert(window.advanceRow, m_rows.size());
        m_rows.append({window.advanceRow,
                       Text(TextSlot::PeriodBarLabel)
                           .arg(QString::number(window.advanceRow + 1), WeekDayWords(entry.weekDay),
                                QString::number(entry.detailCount())),
                       {QPoint(window.firstSecond, window.lastSecond)},
                       {}});
    }
    Row basic{-1, Text(TextSlot::BasicScheduleFrame), {}, {}};
    for (const DaySegment& segment : std::as_const(m_segments)) {
        const QPoint span(segment.firstSecond, segment.lastSecond);
        if (segment.advanceRows.isEmpty())
            basic.spans.append(span);
        if (segment.advanceRows.size() > 1) {
            for (int advanceRow : segment.advanceRows)
                m_rows[rowOfPeriod.value(advanceRow)].sharedSpans.append(span);
        }
    }
    if (!basic.spans.isEmpty())
        m_rows.append(basic);
    endResetModel();
}

int DayPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DayPlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DayPlanModel::headerData(int, Qt::Orientation, int role) const {
    return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
}

QVariant DayPlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == LabelColumn)
            return row.label;
        if (index.column() == TimesColumn)
            return SpansText(row.spans);
        return {};
    case Qt::ToolTipRole:
        return row.label + u'\n' + SpansText(row.spans);
    case SpansRole:
        return QVariant::fromValue(row.spans);
    case SharedSpansRole:
        return QVariant::fromValue(row.sharedSpans);
    case AdvanceRowRole:
        return row.advanceRow;
    default:
        return {};
    }
}

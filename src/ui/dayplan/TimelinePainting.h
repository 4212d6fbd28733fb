#pragma once

#include <QHeaderView>
#include <QStyledItemDelegate>

// The day plan's 24-hour timeline: bars in the rows, hours in the heading.
// Both map a second of the day to the same x within a cell, so the bars
// stand under their hours.

// The x of secondOfDay (0 to 86400) within the cell rectangle.
int TimelineX(const QRect& cell, int secondOfDay);

// Paints a row's spans as bars, the spans where other periods match too
// hatched over them, and the basic row's spans in a quieter colour.
class TimelineDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A horizontal heading that draws hour marks in the timeline's section.
class TimelineHeader final : public QHeaderView {
    Q_OBJECT

public:
    TimelineHeader(int timelineSection, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

private:
    int m_timelineSection;
};

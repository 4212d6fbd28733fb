#include "TimelinePainting.h"

#include "DayPlanModel.h"
#include "PeriodMatching.h"

#include <QApplication>
#include <QPainter>

namespace {

// Room at both ends, so that the first and last hour marks are not cut.
constexpr int Margin = 8;
constexpr int SecondsPerHour = 3600;

QRect timelineArea(const QRect& cell) {
    return cell.adjusted(Margin, 0, -Margin, 0);
}

void paintHourLines(QPainter* painter, const QRect& cell, const QColor& colour) {
    painter->setPen(colour);
    for (int hour = 0; hour <= 24; hour += 3) {
        const int x = TimelineX(cell, hour * SecondsPerHour);
        painter->drawLine(x, cell.top(), x, cell.bottom());
    }
}

} // namespace

int TimelineX(const QRect& cell, int secondOfDay) {
    const QRect area = timelineArea(cell);
    return area.left() + int(qint64(area.width()) * secondOfDay / SecondsPerDay);
}

void TimelineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem background(option);
    initStyleOption(&background, index);
    background.text.clear();
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

    painter->save();
    const QPalette& palette = option.palette;
    QColor grid = palette.color(QPalette::Text);
    grid.setAlpha(40);
    paintHourLines(painter, option.rect, grid);

    // On the selected row the bars take the selection's text colour, so they
    // stand out from its background.
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool basic = index.data(DayPlanModel::AdvanceRowRole).toInt() < 0;
    const QColor fill = selected ? palette.color(QPalette::HighlightedText)
                        : basic  ? palette.color(QPalette::Mid)
                                 : QColor(0x2a, 0x7a, 0xb0);
    const QRect band = option.rect.adjusted(0, 4, 0, -4);
    const auto spanRect = [&](const QPoint& span) {
        const int left = TimelineX(option.rect, span.x());
        // At least two pixels, so a window of one second still shows.
        const int right = std::max(TimelineX(option.rect, span.y() + 1), left + 2);
        return QRect(QPoint(left, band.top()), QPoint(right - 1, band.bottom()));
    };
    for (const QPoint& span : index.data(DayPlanModel::SpansRole).value<QList<QPoint>>())
        painter->fillRect(spanRect(span), fill);
    const QBrush shared(palette.color(selected ? QPalette::Highlight : QPalette::Base),
                        Qt::BDiagPattern);
    for (const QPoint& span : index.data(DayPlanModel::SharedSpansRole).value<QList<QPoint>>())
        painter->fillRect(spanRect(span), shared);
    painter->restore();
}

QSize TimelineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::max(size.width(), 360));
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 10));
    return size;
}

TimelineHeader::TimelineHeader(int timelineSection, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_timelineSection(timelineSection) {}

void TimelineHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    // Drawn over the finished heading: what a section's own painting adds
    // does not reach the screen with every style.
    const QRect section(sectionViewportPosition(m_timelineSection), 0,
                        sectionSize(m_timelineSection), viewport()->height());
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    for (int hour = 0; hour <= 24; hour += 3) {
        const int x = TimelineX(section, hour * SecondsPerHour);
        painter.drawLine(x, section.bottom() - 4, x, section.bottom());
        const QString label = QString::number(hour);
        const int width = metrics.horizontalAdvance(label);
        // The marks at both ends keep their labels inside the section.
        const int left = std::clamp(x - width / 2, section.left() + 1, section.right() - width);
        painter.drawText(QRect(left, section.top(), width, section.height() - 5),
                         Qt::AlignHCenter | Qt::AlignVCenter, label);
    }
}

QSize TimelineHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(std::max(size.height(), fontMetrics().height() + 10));
    return size;
}

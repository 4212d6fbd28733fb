#include "ColourBar.h"

#include <QPainter>

ColourBar::ColourBar(QWidget* parent)
    : QWidget(parent)
    , m_colours(startColours()) {
    setObjectName(QStringLiteral("Shape1"));
    m_keepTimer.setObjectName(QStringLiteral("KeepTimer"));
    m_keepTimer.setInterval(IntervalMs);
    connect(&m_keepTimer, &QTimer::timeout, this, &ColourBar::KeepTimer_Timer);
    m_keepTimer.start();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

std::array<QColor, ColourBar::BarCount> ColourBar::startColours() {
    return {QColor(0, 0, 255),   QColor(0, 255, 255), QColor(0, 255, 0),     QColor(255, 255, 0),
            QColor(255, 128, 0), QColor(255, 0, 0),   QColor(128, 128, 128), QColor(255, 0, 255)};
}

void ColourBar::KeepTimer_Timer() {
    const QColor first = m_colours[0];
    for (int i = 0; i < BarCount - 1; ++i)
        m_colours[std::size_t(i)] = m_colours[std::size_t(i + 1)];
    m_colours[BarCount - 1] = first;
    update();
}

void ColourBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int barWidth = width() / BarCount;
    for (int i = 0; i < BarCount; ++i) {
        // Bar 7 stands at the left, bar 0 at the right.
        const int slot = BarCount - 1 - i;
        const int left = slot * barWidth;
        const int right = slot == BarCount - 1 ? width() : left + barWidth;
        painter.fillRect(QRect(left, 0, right - left, height()), m_colours[std::size_t(i)]);
    }
}

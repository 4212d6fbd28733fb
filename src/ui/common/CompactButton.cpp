#include "CompactButton.h"

#include <QStyle>

CompactButton::CompactButton(QWidget* parent)
    : QPushButton(parent) {
    // A push button's usual policy never lets a layout take it below its size hint.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize CompactButton::minimumSizeHint() const {
    const QSize usual = QPushButton::minimumSizeHint();
    QString shown = text();
    shown.remove(u'&'); // the access key's mark takes no room
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
    const int textWidth = fontMetrics().horizontalAdvance(shown) + 2 * margin;
    return {qMin(usual.width(), textWidth), usual.height()};
}

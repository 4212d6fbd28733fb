#pragma once

#include <QPushButton>

// A push button that may grow narrower than the style's usual minimum width,
// down to its text: rows of buttons then fit a small screen at a high scale.
class CompactButton final : public QPushButton {
    Q_OBJECT

public:
    explicit CompactButton(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
};

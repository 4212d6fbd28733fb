#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>
#include <array>

// The moving colour bar: eight bars that pass their colours one place to the
// right every 100 ms, wrapping around, so the pattern seems to run.
class ColourBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int BarCount = 8;
    static constexpr int IntervalMs = 100;

    explicit ColourBar(QWidget* parent = nullptr);

    // Index 0 is the rightmost bar, 7 the leftmost.
    const std::array<QColor, BarCount>& colours() const { return m_colours; }
    static std::array<QColor, BarCount> startColours();
    QTimer* keepTimer() { return &m_keepTimer; }

    // One step: every bar takes the colour of the bar to its left, the
    // leftmost takes the old colour of the rightmost.
    void KeepTimer_Timer();

    QSize sizeHint() const override { return {160, 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QColor, BarCount> m_colours;
    QTimer m_keepTimer;
};

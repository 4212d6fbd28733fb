#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// For the start-up benchmark's children: leave the event loop on the first
// idle moment after the window was first exposed, so that the first paint is
// part of the measure on every platform plugin (xcb exposes only when the
// server says so). exit() rather than quit(), which would close the window:
// the editor would write its settings, and the next run would not find an
// empty program folder.
class QuitWhenShownAndIdle final : public QObject {
public:
    explicit QuitWhenShownAndIdle(QWidget& window)
        : QObject(&window) {
        window.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The window paints once this filter lets the event through.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        return false;
    }
};

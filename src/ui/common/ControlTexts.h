#pragma once

#include "TextSlot.h"

#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QWidget;

// The texts a window puts on its controls, each from its slot of the text
// table. A window lists its controls once; apply() puts the current table's
// texts on them, at start and after every switch of language.
//
// A control given an access key gets it marked in its text (WithAccessKey).
class ControlTexts {
public:
    void add(QAbstractButton* button, TextSlot slot, QChar accessKey = {});
    void add(QLabel* label, TextSlot slot);
    void add(QGroupBox* frame, TextSlot slot, QChar accessKey = {});
    void add(QAction* action, TextSlot slot, QChar accessKey = {});
    void add(QMenu* menu, TextSlot slot);
    // The window's caption.
    void addWindowTitle(QWidget* window, TextSlot slot);

    void apply() const;

private:
    struct Control {
        std::function<void(const QString&)> setText;
        TextSlot slot;
        QChar accessKey;
    };
    std::vector<Control> m_controls;
};

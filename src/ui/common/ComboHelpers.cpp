#include "ComboHelpers.h"

#include "Fonts.h"

#include <QPushButton>

void FillNumbers(QComboBox* combo, int first, int last) {
    combo->clear();
    for (int value = first; value <= last; ++value)
        combo->addItem(QString::number(value));
}

void SelectNearest(QComboBox* combo, int index) {
    if (combo->count() == 0)
        return;
    combo->setCurrentIndex(qBound(0, index, combo->count() - 1));
}

QPushButton* MakeCaptionButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFont(CaptionFont());
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QComboBox* MakePickList(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setFont(CaptionFont());
    return combo;
}

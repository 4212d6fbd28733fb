#pragma once

#include <QComboBox>
#include <QString>

class QPushButton;

// Fills a drop-down list with the numbers first..last.
void FillNumbers(QComboBox* combo, int first, int last);

// Selects the item at index, or the nearest item when index lies outside the
// list (a value from a damaged file shows the closest choice).
void SelectNearest(QComboBox* combo, int index);

// A command button that only captions a field: it shows text and does nothing.
QPushButton* MakeCaptionButton(const QString& name, QWidget* parent);

// A drop-down list the user picks from and cannot type into.
QComboBox* MakePickList(const QString& name, QWidget* parent);

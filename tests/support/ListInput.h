#pragma once

// Rows picked as a person picks them: the mouse on the list's viewport at the
// row's rectangle, keys on the list. Buttons clicked with the mouse. The
// window must be shown.

#include <QAbstractItemView>
#include <QPushButton>
#include <QTest>

// Does nothing on a disabled button, as for a person.
inline void ClickButton(const QWidget* window, const QString& name) {
    QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
}

inline QPoint RowCentre(const QAbstractItemView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

// A point of the viewport under the last row, where no row is.
inline QPoint BelowTheRows(const QAbstractItemView* list) {
    const int rows = list->model()->rowCount();
    const int top = rows > 0 ? list->visualRect(list->model()->index(rows - 1, 0)).bottom() : 0;
    return {list->viewport()->width() / 2, (top + list->viewport()->height()) / 2};
}

inline void ClickRow(QAbstractItemView* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, RowCentre(list, row));
}

inline void DoubleClickRow(QAbstractItemView* list, int row) {
    // As the window system delivers it: a click, then a second press marked
    // as a double-click, and its release.
    ClickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row));
}

// Presses on one row and releases on another, passing every row between.
inline void DragOverRows(QAbstractItemView* list, int from, int to) {
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, RowCentre(list, from));
    for (int row = from; row != to;) {
        row += to > from ? 1 : -1;
        QTest::mouseMove(list->viewport(), RowCentre(list, row));
    }
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, RowCentre(list, to));
}

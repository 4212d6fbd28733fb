#include "ScheduleListView.h"

#include "Fonts.h"
#include "SelectedRow.h"

#include <QKeyEvent>

ScheduleListView::ScheduleListView(QWidget* parent)
    : QListView(parent) {
    setFont(ListFont());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    // Rows scroll sideways when the window is narrow; the window fits small
    // screens rather than every list showing whole rows at any size.
    setMinimumWidth(QFontMetrics(ListFont()).horizontalAdvance(QString(16, u'0')));
    setMinimumHeight(QFontMetrics(ListFont()).height() * 2);
    // Without focus: a pale shade of the highlight with dark text, as desktops
    // draw an inactive selection; grey when the highlight itself is grey.
    QPalette colours = palette();
    const QColor highlight = colours.color(QPalette::Active, QPalette::Highlight);
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     highlight.hsvSaturation() < 40 ? colours.color(QPalette::Active, QPalette::Mid)
                                                    : QColor::fromHsv(highlight.hsvHue(), 90, 235));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::Text));
    setPalette(colours);
}

void ScheduleListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    Q_EMIT focusEntered();
}

void ScheduleListView::setModel(QAbstractItemModel* model) {
    QListView::setModel(model);
    // Connected after the view's own handlers, which drop the selection of a
    // reset model and of removed rows.
    connect(model, &QAbstractItemModel::modelReset, this, &ScheduleListView::keepARowSelected);
    connect(model, &QAbstractItemModel::rowsInserted, this, &ScheduleListView::keepARowSelected);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ScheduleListView::keepARowSelected);
}

int ScheduleListView::selectedRow() const {
    return SelectedRow(selectionModel());
}

void ScheduleListView::selectRow(int row) {
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ScheduleListView::keepARowSelected() {
    if (selectionModel()->hasSelection() || model()->rowCount() == 0)
        return;
    // Where the view moved its current row (next to a removed one), else the top.
    const QModelIndex current = currentIndex();
    selectRow(current.isValid() ? current.row() : 0);
}

QItemSelectionModel::SelectionFlags ScheduleListView::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    // Ctrl+click and Ctrl+Space on the selected row, and a click or a drag
    // that ends where no row is, would leave the list without a selection.
    const bool dropsTheRow =
        command.testFlag(QItemSelectionModel::Deselect) ||
        (command.testFlag(QItemSelectionModel::Toggle) && selectionModel()->isSelected(index)) ||
        (!index.isValid() && command.testFlag(QItemSelectionModel::Clear));
    return dropsTheRow ? QItemSelectionModel::NoUpdate : command;
}

void ScheduleListView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        event->accept();
        Q_EMIT modifyRequested();
        return;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}

void ScheduleListView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first press of the double-click selected the row under the pointer.
    const QModelIndex index = indexAt(event->position().toPoint());
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && index.isValid() && selectionModel()->isSelected(index))
        Q_EMIT modifyRequested();
}

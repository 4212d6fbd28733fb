#pragma once

#include <QListView>

// One of the main window's three lists. While it has rows one of them is
// selected, whatever the mouse, the keys or the program do; the selected row
// is the one every command acts on. Return, Enter and a double-click ask for
// Modify; the window's shortcuts act on the list that has or last had focus.
// A single click only selects, on every desktop. Without focus, the selection
// is drawn in a quieter colour, so the focused list can be told apart.
class ScheduleListView final : public QListView {
    Q_OBJECT

public:
    explicit ScheduleListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // The selected row, -1 when the list is empty.
    int selectedRow() const;
    // Selects the row and brings it into view; -1 clears the selection.
    void selectRow(int row);

Q_SIGNALS:
    void modifyRequested();
    void focusEntered();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void keepARowSelected();
};

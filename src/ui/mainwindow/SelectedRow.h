#pragma once

#include <QItemSelectionModel>

// The selected row of a single-selection list, -1 when none: what the user
// sees highlighted, which is not always the current (focused) row.
inline int SelectedRow(const QItemSelectionModel* selection) {
    const QModelIndexList rows = selection ? selection->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

#pragma once

#include "EditableDocument.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QPointer>

// One of the three lists as a view of the document: the basic entries, the
// advance entries, or the details of the advance entry selected in the
// advance list. Rows always come from the entry at the same index, formatted
// by the shared row functions, so a row and its entry cannot drift apart.
class ScheduleListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // The basic or the advance list.
    ScheduleListModel(EditableDocument* document, ScheduleList list, QObject* parent = nullptr);
    // The details of the advance entry selected in advanceSelection, which
    // the list follows, however the selection changes.
    ScheduleListModel(EditableDocument* document, const QItemSelectionModel* advanceSelection,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Detail lists: the advance entry whose details are shown, -1 when none.
    // Read from the advance list's selection each time, never kept.
    int advanceRow() const;
    // The list of the document shown now.
    ListAddress shownList() const;
    void followDocument();
    void showOtherDetails();
    void onAboutToInsert(ListAddress list, int row);
    void onInserted(ListAddress list, int row);
    void onChanged(ListAddress list, int row);
    void onAboutToRemove(ListAddress list, int row);
    void onRemoved(ListAddress list, int row);
    void onSwapped(ListAddress list, int row, int neighbour);

    QPointer<EditableDocument> m_document;
    ScheduleList m_list;
    QPointer<const QItemSelectionModel> m_advanceSelection;
    bool m_resetting = false;
};

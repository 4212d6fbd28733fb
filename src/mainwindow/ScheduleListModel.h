#pragma once

#include "schedule/EditableDocument.h"

#include <QAbstractListModel>
#include <QPointer>

// One of the three lists as a view of the document: the basic entries, the
// advance entries, or the details of one advance entry. Rows always come from
// the entry at the same index, formatted by the shared row functions, so a row
// and its entry cannot drift apart.
class ScheduleListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    ScheduleListModel(EditableDocument* document, ScheduleList list, QObject* parent = nullptr);

    // Detail lists only: which advance entry's details are shown (-1: none).
    void setAdvanceRow(int advanceRow);
    int advanceRow() const { return m_advanceRow; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool concerns(ScheduleList list, int advanceRow) const;
    void onAboutToInsert(ScheduleList list, int advanceRow, int row);
    void onInserted(ScheduleList list, int advanceRow, int row);
    void onChanged(ScheduleList list, int advanceRow, int row);
    void onAboutToRemove(ScheduleList list, int advanceRow, int row);
    void onRemoved(ScheduleList list, int advanceRow, int row);
    void onSwapped(ScheduleList list, int advanceRow, int row, int neighbour);
    const QList<MediaEntry>* mediaEntries() const;

    QPointer<EditableDocument> m_document;
    ScheduleList m_list;
    int m_advanceRow = -1;
    bool m_resetting = false;
};

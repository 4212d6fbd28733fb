#include "ScheduleListModel.h"

#include "schedule/RowFormat.h"

ScheduleListModel::ScheduleListModel(EditableDocument* document, ScheduleList list, QObject* parent)
    : QAbstractListModel(parent)
    , m_document(document)
    , m_list(list) {
    connect(document, &EditableDocument::aboutToReset, this, [this] {
        beginResetModel();
        m_resetting = true;
    });
    connect(document, &EditableDocument::documentReset, this, [this] {
        // A new document has no advance entry selected yet.
        if (m_list == ScheduleList::Detail)
            m_advanceRow = -1;
        m_resetting = false;
        endResetModel();
    });
    connect(document, &EditableDocument::aboutToInsertRow, this,
            &ScheduleListModel::onAboutToInsert);
    connect(document, &EditableDocument::rowInserted, this, &ScheduleListModel::onInserted);
    connect(document, &EditableDocument::rowChanged, this, &ScheduleListModel::onChanged);
    connect(document, &EditableDocument::aboutToRemoveRow, this,
            &ScheduleListModel::onAboutToRemove);
    connect(document, &EditableDocument::rowRemoved, this, &ScheduleListModel::onRemoved);
    connect(document, &EditableDocument::rowsSwapped, this, &ScheduleListModel::onSwapped);
}

void ScheduleListModel::setAdvanceRow(int advanceRow) {
    beginResetModel();
    m_advanceRow = advanceRow;
    endResetModel();
}

const QList<MediaEntry>* ScheduleListModel::mediaEntries() const {
    const ScheduleDocument& document = m_document->document();
    if (m_list == ScheduleList::Basic)
        return &document.basicEntries();
    if (m_list == ScheduleList::Detail && m_advanceRow >= 0 &&
        m_advanceRow < document.advanceCount())
        return &document.advanceEntries()[m_advanceRow].details;
    return nullptr;
}

int ScheduleListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_document || m_resetting)
        return 0;
    if (m_list == ScheduleList::Advance)
        return int(m_document->document().advanceCount());
    const QList<MediaEntry>* entries = mediaEntries();
    return entries ? int(entries->size()) : 0;
}

QVariant ScheduleListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    if (m_list == ScheduleList::Advance)
        return AdvanceRowText(m_document->document().advanceEntries()[index.row()]);
    return MediaRowText((*mediaEntries())[index.row()]);
}

bool ScheduleListModel::concerns(ScheduleList list, int advanceRow) const {
    return list == m_list && (list != ScheduleList::Detail || advanceRow == m_advanceRow);
}

void ScheduleListModel::onAboutToInsert(ScheduleList list, int advanceRow, int row) {
    if (concerns(list, advanceRow))
        beginInsertRows({}, row, row);
}

void ScheduleListModel::onInserted(ScheduleList list, int advanceRow, int) {
    if (concerns(list, advanceRow))
        endInsertRows();
}

void ScheduleListModel::onChanged(ScheduleList list, int advanceRow, int row) {
    if (concerns(list, advanceRow))
        Q_EMIT dataChanged(index(row), index(row));
}

void ScheduleListModel::onAboutToRemove(ScheduleList list, int advanceRow, int row) {
    if (concerns(list, advanceRow)) {
        beginRemoveRows({}, row, row);
        return;
    }
    // The advance entry whose details are shown is going away.
    if (m_list == ScheduleList::Detail && list == ScheduleList::Advance && row == m_advanceRow)
        setAdvanceRow(-1);
}

void ScheduleListModel::onRemoved(ScheduleList list, int advanceRow, int row) {
    if (concerns(list, advanceRow)) {
        endRemoveRows();
        return;
    }
    // Entries after a removed advance entry move up one place.
    if (m_list == ScheduleList::Detail && list == ScheduleList::Advance && row < m_advanceRow)
        --m_advanceRow;
}

void ScheduleListModel::onSwapped(ScheduleList list, int advanceRow, int row, int neighbour) {
    if (concerns(list, advanceRow)) {
        Q_EMIT dataChanged(index(qMin(row, neighbour)), index(qMax(row, neighbour)));
        return;
    }
    // The shown details travel with their advance entry.
    if (m_list == ScheduleList::Detail && list == ScheduleList::Advance) {
        if (m_advanceRow == row)
            m_advanceRow = neighbour;
        else if (m_advanceRow == neighbour)
            m_advanceRow = row;
    }
}

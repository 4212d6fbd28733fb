#include "ScheduleListModel.h"

#include "SelectedRow.h"
#include "RowFormat.h"

ScheduleListModel::ScheduleListModel(EditableDocument* document, ScheduleList list, QObject* parent)
    : QAbstractListModel(parent)
    , m_document(document)
    , m_list(list) {
    followDocument();
}

ScheduleListModel::ScheduleListModel(EditableDocument* document,
                                     const QItemSelectionModel* advanceSelection, QObject* parent)
    : QAbstractListModel(parent)
    , m_document(document)
    , m_list(ScheduleList::Detail)
    , m_advanceSelection(advanceSelection) {
    followDocument();
    connect(advanceSelection, &QItemSelectionModel::selectionChanged, this,
            &ScheduleListModel::showOtherDetails);
    // A reset of the advance list clears its selection without a signal.
    connect(advanceSelection->model(), &QAbstractItemModel::modelReset, this,
            &ScheduleListModel::showOtherDetails);
}

void ScheduleListModel::followDocument() {
    connect(m_document, &EditableDocument::aboutToReset, this, [this] {
        beginResetModel();
        m_resetting = true;
    });
    connect(m_document, &EditableDocument::documentReset, this, [this] {
        m_resetting = false;
        endResetModel();
    });
    connect(m_document, &EditableDocument::aboutToInsertRow, this,
            &ScheduleListModel::onAboutToInsert);
    connect(m_document, &EditableDocument::rowInserted, this, &ScheduleListModel::onInserted);
    connect(m_document, &EditableDocument::rowChanged, this, &ScheduleListModel::onChanged);
    connect(m_document, &EditableDocument::aboutToRemoveRow, this,
            &ScheduleListModel::onAboutToRemove);
    connect(m_document, &EditableDocument::rowRemoved, this, &ScheduleListModel::onRemoved);
    connect(m_document, &EditableDocument::rowsSwapped, this, &ScheduleListModel::onSwapped);
}

int ScheduleListModel::advanceRow() const {
    return m_list == ScheduleList::Detail ? SelectedRow(m_advanceSelection) : -1;
}

void ScheduleListModel::showOtherDetails() {
    // During a whole-document reset the rows are announced once, at its end.
    if (m_resetting)
        return;
    beginResetModel();
    endResetModel();
}

const QList<MediaEntry>* ScheduleListModel::mediaEntries() const {
    const ScheduleDocument& document = m_document->document();
    if (m_list == ScheduleList::Basic)
        return &document.basicEntries();
    const int owner = advanceRow();
    if (m_list == ScheduleList::Detail && owner >= 0 && owner < document.advanceCount())
        return &document.advanceEntries()[owner].details;
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

bool ScheduleListModel::concerns(ScheduleList list, int owner) const {
    return list == m_list && (list != ScheduleList::Detail || owner == advanceRow());
}

void ScheduleListModel::onAboutToInsert(ScheduleList list, int owner, int row) {
    if (concerns(list, owner))
        beginInsertRows({}, row, row);
}

void ScheduleListModel::onInserted(ScheduleList list, int owner, int) {
    if (concerns(list, owner))
        endInsertRows();
}

void ScheduleListModel::onChanged(ScheduleList list, int owner, int row) {
    if (concerns(list, owner))
        Q_EMIT dataChanged(index(row), index(row));
}

void ScheduleListModel::onAboutToRemove(ScheduleList list, int owner, int row) {
    if (concerns(list, owner))
        beginRemoveRows({}, row, row);
}

void ScheduleListModel::onRemoved(ScheduleList list, int owner, int) {
    if (concerns(list, owner))
        endRemoveRows();
}

void ScheduleListModel::onSwapped(ScheduleList list, int owner, int row, int neighbour) {
    if (concerns(list, owner)) {
        Q_EMIT dataChanged(index(qMin(row, neighbour)), index(qMax(row, neighbour)));
        return;
    }
    // Another advance entry now stands at the selected row: show its details.
    const int shown = advanceRow();
    if (m_list == ScheduleList::Detail && list == ScheduleList::Advance &&
        (row == shown || neighbour == shown))
        showOtherDetails();
}

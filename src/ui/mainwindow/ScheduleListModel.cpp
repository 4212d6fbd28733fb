#include "ScheduleListModel.h"

#include "PeriodTexts.h"
#include "RowFormat.h"
#include "SelectedRow.h"

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

ListAddress ScheduleListModel::shownList() const {
    if (m_list == ScheduleList::Detail)
        return ListAddress::details(advanceRow());
    return {m_list, -1};
}

int ScheduleListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_document || m_resetting)
        return 0;
    return int(m_document->document().rowCount(shownList()));
}

QVariant ScheduleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ScheduleDocument& document = m_document->document();
    const bool advance = m_list == ScheduleList::Advance;
    if (role == Qt::ToolTipRole && advance)
        return PeriodTip(document.advanceEntries()[index.row()]);
    if (role != Qt::DisplayRole)
        return {};
    if (advance)
        return AdvanceRowText(document.advanceEntries()[index.row()]);
    return MediaRowText((*document.mediaEntries(shownList()))[index.row()]);
}

void ScheduleListModel::onAboutToInsert(ListAddress list, int row) {
    if (list == shownList())
        beginInsertRows({}, row, row);
}

void ScheduleListModel::onInserted(ListAddress list, int) {
    if (list == shownList())
        endInsertRows();
}

void ScheduleListModel::onChanged(ListAddress list, int row) {
    if (list == shownList())
        Q_EMIT dataChanged(index(row), index(row));
}

void ScheduleListModel::onAboutToRemove(ListAddress list, int row) {
    if (list == shownList())
        beginRemoveRows({}, row, row);
}

void ScheduleListModel::onRemoved(ListAddress list, int) {
    if (list == shownList())
        endRemoveRows();
}

void ScheduleListModel::onSwapped(ListAddress list, int row, int neighbour) {
    if (list == shownList()) {
        Q_EMIT dataChanged(index(qMin(row, neighbour)), index(qMax(row, neighbour)));
        return;
    }
    // Another advance entry now stands at the selected row: show its details.
    const int shown = advanceRow();
    if (m_list == ScheduleList::Detail && list.list == ScheduleList::Advance &&
        (row == shown || neighbour == shown))
        showOtherDetails();
}

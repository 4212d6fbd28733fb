#include "EditableDocument.h"

namespace {

// The entry at row, or nullptr when there is no list or it has none there.
template <typename T> const T* entryAt(const QList<T>* list, int row) {
    return list && row >= 0 && row < list->size() ? &(*list)[row] : nullptr;
}

} // namespace

void EditableDocument::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void EditableDocument::reset(ScheduleDocument document) {
    Q_EMIT aboutToReset();
    m_document = std::move(document);
    Q_EMIT documentReset();
    setModified(false);
}

template <typename Append> void EditableDocument::appendRow(ListAddress list, Append&& append) {
    const int row = int(m_document.rowCount(list));
    Q_EMIT aboutToInsertRow(list, row);
    append();
    Q_EMIT rowInserted(list, row);
    changed();
}

void EditableDocument::rowReplaced(ListAddress list, int row) {
    Q_EMIT rowChanged(list, row);
    changed();
}

bool EditableDocument::append(ListAddress list, const MediaEntry& entry) {
    if (!m_document.mediaEntries(list))
        return false;
    appendRow(list, [&] { m_document.append(list, entry); });
    return true;
}

void EditableDocument::appendAdvance(const AdvanceEntry& entry) {
    appendRow(ListAddress::advance(), [&] { m_document.appendAdvance(entry); });
}

bool EditableDocument::replace(ListAddress list, int row, const MediaEntry& entry) {
    if (const MediaEntry* old = entryAt(m_document.mediaEntries(list), row); old && *old == entry)
        return true; // the same value again changes nothing
    if (!m_document.replace(list, row, entry))
        return false;
    rowReplaced(list, row);
    return true;
}

bool EditableDocument::setAdvancePeriod(int row, const AdvancePeriod& period) {
    if (const AdvanceEntry* old = entryAt(&m_document.advanceEntries(), row);
        old && old->period() == period)
        return true;
    if (!m_document.setAdvancePeriod(row, period))
        return false;
    rowReplaced(ListAddress::advance(), row);
    return true;
}

bool EditableDocument::remove(ListAddress list, int row) {
    if (row < 0 || row >= m_document.rowCount(list))
        return false;
    Q_EMIT aboutToRemoveRow(list, row);
    m_document.remove(list, row);
    Q_EMIT rowRemoved(list, row);
    changed();
    return true;
}

bool EditableDocument::swap(ListAddress list, int row, int neighbour) {
    if (!m_document.swap(list, row, neighbour))
        return false;
    Q_EMIT rowsSwapped(list, row, neighbour);
    changed();
    return true;
}

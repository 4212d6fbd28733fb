#include "EditableDocument.h"

namespace {

// The entry at row, or nullptr when the list has none there.
template <typename T> const T* entryAt(const QList<T>& list, int row) {
    return row >= 0 && row < list.size() ? &list[row] : nullptr;
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

void EditableDocument::appendBasic(const MediaEntry& entry) {
    const int row = int(m_document.basicCount());
    Q_EMIT aboutToInsertRow(ScheduleList::Basic, -1, row);
    m_document.appendBasic(entry);
    Q_EMIT rowInserted(ScheduleList::Basic, -1, row);
    changed();
}

bool EditableDocument::replaceBasic(int row, const MediaEntry& entry) {
    if (const MediaEntry* old = entryAt(m_document.basicEntries(), row); old && *old == entry)
        return true; // the same value again changes nothing
    if (!m_document.replaceBasic(row, entry))
        return false;
    Q_EMIT rowChanged(ScheduleList::Basic, -1, row);
    changed();
    return true;
}

bool EditableDocument::removeBasic(int row) {
    if (row < 0 || row >= m_document.basicCount())
        return false;
    Q_EMIT aboutToRemoveRow(ScheduleList::Basic, -1, row);
    m_document.removeBasic(row);
    Q_EMIT rowRemoved(ScheduleList::Basic, -1, row);
    changed();
    return true;
}

bool EditableDocument::swapBasic(int row, int neighbour) {
    if (!m_document.swapBasic(row, neighbour))
        return false;
    Q_EMIT rowsSwapped(ScheduleList::Basic, -1, row, neighbour);
    changed();
    return true;
}

void EditableDocument::appendAdvance(const AdvanceEntry& entry) {
    const int row = int(m_document.advanceCount());
    Q_EMIT aboutToInsertRow(ScheduleList::Advance, -1, row);
    m_document.appendAdvance(entry);
    Q_EMIT rowInserted(ScheduleList::Advance, -1, row);
    changed();
}

bool EditableDocument::setAdvancePeriod(int row, const AdvancePeriod& period) {
    if (const AdvanceEntry* old = entryAt(m_document.advanceEntries(), row);
        old && old->period() == period)
        return true;
    if (!m_document.setAdvancePeriod(row, period))
        return false;
    Q_EMIT rowChanged(ScheduleList::Advance, -1, row);
    changed();
    return true;
}

bool EditableDocument::removeAdvance(int row) {
    if (row < 0 || row >= m_document.advanceCount())
        return false;
    Q_EMIT aboutToRemoveRow(ScheduleList::Advance, -1, row);
    m_document.removeAdvance(row);
    Q_EMIT rowRemoved(ScheduleList::Advance, -1, row);
    changed();
    return true;
}

bool EditableDocument::swapAdvance(int row, int neighbour) {
    if (!m_document.swapAdvance(row, neighbour))
        return false;
    Q_EMIT rowsSwapped(ScheduleList::Advance, -1, row, neighbour);
    changed();
    return true;
}

bool EditableDocument::appendDetail(int advanceRow, const MediaEntry& entry) {
    if (advanceRow < 0 || advanceRow >= m_document.advanceCount())
        return false;
    const int row = int(m_document.advanceEntries()[advanceRow].detailCount());
    Q_EMIT aboutToInsertRow(ScheduleList::Detail, advanceRow, row);
    m_document.appendDetail(advanceRow, entry);
    Q_EMIT rowInserted(ScheduleList::Detail, advanceRow, row);
    changed();
    return true;
}

bool EditableDocument::replaceDetail(int advanceRow, int row, const MediaEntry& entry) {
    const AdvanceEntry* owner = entryAt(m_document.advanceEntries(), advanceRow);
    if (const MediaEntry* old = owner ? entryAt(owner->details, row) : nullptr;
        old && *old == entry)
        return true;
    if (!m_document.replaceDetail(advanceRow, row, entry))
        return false;
    Q_EMIT rowChanged(ScheduleList::Detail, advanceRow, row);
    changed();
    return true;
}

bool EditableDocument::removeDetail(int advanceRow, int row) {
    if (advanceRow < 0 || advanceRow >= m_document.advanceCount() || row < 0 ||
        row >= m_document.advanceEntries()[advanceRow].detailCount())
        return false;
    Q_EMIT aboutToRemoveRow(ScheduleList::Detail, advanceRow, row);
    m_document.removeDetail(advanceRow, row);
    Q_EMIT rowRemoved(ScheduleList::Detail, advanceRow, row);
    changed();
    return true;
}

bool EditableDocument::swapDetail(int advanceRow, int row, int neighbour) {
    if (!m_document.swapDetail(advanceRow, row, neighbour))
        return false;
    Q_EMIT rowsSwapped(ScheduleList::Detail, advanceRow, row, neighbour);
    changed();
    return true;
}

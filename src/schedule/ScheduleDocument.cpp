#include "ScheduleDocument.h"

namespace {

template <typename T> bool validRow(const QList<T>& list, qsizetype row) {
    return row >= 0 && row < list.size();
}

template <typename T> bool insertAt(QList<T>& list, qsizetype row, const T& value) {
    if (row < 0 || row > list.size())
        return false;
    list.insert(row, value);
    return true;
}

template <typename T> bool replaceAt(QList<T>& list, qsizetype row, const T& value) {
    if (!validRow(list, row))
        return false;
    list[row] = value;
    return true;
}

template <typename T> bool removeAt(QList<T>& list, qsizetype row) {
    if (!validRow(list, row))
        return false;
    list.removeAt(row);
    return true;
}

// Only neighbours are exchanged: that is what Move Up and Move Down do.
template <typename T> bool swapNeighbours(QList<T>& list, qsizetype row, qsizetype neighbour) {
    if (!validRow(list, row) || !validRow(list, neighbour) || qAbs(row - neighbour) != 1)
        return false;
    list.swapItemsAt(row, neighbour);
    return true;
}

} // namespace

qsizetype ScheduleDocument::totalDetailCount() const {
    qsizetype total = 0;
    for (const AdvanceEntry& entry : m_advance)
        total += entry.detailCount();
    return total;
}

const QList<MediaEntry>* ScheduleDocument::mediaEntries(ListAddress list) const {
    switch (list.list) {
    case ScheduleList::Basic:
        return &m_basic;
    case ScheduleList::Advance:
        break;
    case ScheduleList::Detail:
        if (validRow(m_advance, list.advanceRow))
            return &m_advance[list.advanceRow].details;
        break;
    }
    return nullptr;
}

QList<MediaEntry>* ScheduleDocument::changeableEntries(ListAddress list) {
    return const_cast<QList<MediaEntry>*>(mediaEntries(list));
}

template <typename Change> bool ScheduleDocument::changeList(ListAddress list, Change&& change) {
    if (list.list == ScheduleList::Advance)
        return change(m_advance);
    QList<MediaEntry>* entries = changeableEntries(list);
    return entries && change(*entries);
}

qsizetype ScheduleDocument::rowCount(ListAddress list) const {
    if (list.list == ScheduleList::Advance)
        return m_advance.size();
    const QList<MediaEntry>* entries = mediaEntries(list);
    return entries ? entries->size() : 0;
}

bool ScheduleDocument::append(ListAddress list, const MediaEntry& entry) {
    QList<MediaEntry>* entries = changeableEntries(list);
    if (!entries)
        return false;
    entries->append(entry);
    return true;
}

bool ScheduleDocument::insert(ListAddress list, qsizetype row, const MediaEntry& entry) {
    QList<MediaEntry>* entries = changeableEntries(list);
    return entries && insertAt(*entries, row, entry);
}

bool ScheduleDocument::insertAdvance(qsizetype row, const AdvanceEntry& entry) {
    return insertAt(m_advance, row, entry);
}

bool ScheduleDocument::replace(ListAddress list, qsizetype row, const MediaEntry& entry) {
    QList<MediaEntry>* entries = changeableEntries(list);
    return entries && replaceAt(*entries, row, entry);
}

bool ScheduleDocument::setAdvancePeriod(qsizetype row, const AdvancePeriod& period) {
    if (!validRow(m_advance, row))
        return false;
    m_advance[row].setPeriod(period);
    return true;
}

bool ScheduleDocument::remove(ListAddress list, qsizetype row) {
    return changeList(list, [row](auto& entries) { return removeAt(entries, row); });
}

bool ScheduleDocument::swap(ListAddress list, qsizetype row, qsizetype neighbour) {
    return changeList(
        list, [row, neighbour](auto& entries) { return swapNeighbours(entries, row, neighbour); });
}

qint64 SizeEstimateGrowth(qint64 basicEntries, qint64 advanceEntries, qint64 detailEntries) {
    return 30 * basicEntries + 15 * advanceEntries + 30 * detailEntries;
}

qint64 ScheduleSizeEstimate(const ScheduleDocument& document) {
    return 50 + SizeEstimateGrowth(document.basicCount(), document.advanceCount(),
                                   document.totalDetailCount());
}

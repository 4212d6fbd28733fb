#include "ScheduleDocument.h"

namespace {

template <typename T> bool validRow(const QList<T>& list, qsizetype row) {
    return row >= 0 && row < list.size();
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

void ScheduleDocument::clear() {
    m_basic.clear();
    m_advance.clear();
}

bool ScheduleDocument::replaceBasic(qsizetype row, const MediaEntry& entry) {
    return replaceAt(m_basic, row, entry);
}

bool ScheduleDocument::removeBasic(qsizetype row) {
    return removeAt(m_basic, row);
}

bool ScheduleDocument::swapBasic(qsizetype row, qsizetype neighbour) {
    return swapNeighbours(m_basic, row, neighbour);
}

bool ScheduleDocument::setAdvancePeriod(qsizetype row, const AdvancePeriod& period) {
    if (!validRow(m_advance, row))
        return false;
    m_advance[row].setPeriod(period);
    return true;
}

bool ScheduleDocument::removeAdvance(qsizetype row) {
    return removeAt(m_advance, row);
}

bool ScheduleDocument::swapAdvance(qsizetype row, qsizetype neighbour) {
    return swapNeighbours(m_advance, row, neighbour);
}

bool ScheduleDocument::appendDetail(qsizetype advanceRow, const MediaEntry& entry) {
    if (!validRow(m_advance, advanceRow))
        return false;
    m_advance[advanceRow].details.append(entry);
    return true;
}

bool ScheduleDocument::replaceDetail(qsizetype advanceRow, qsizetype row, const MediaEntry& entry) {
    return validRow(m_advance, advanceRow) && replaceAt(m_advance[advanceRow].details, row, entry);
}

bool ScheduleDocument::removeDetail(qsizetype advanceRow, qsizetype row) {
    return validRow(m_advance, advanceRow) && removeAt(m_advance[advanceRow].details, row);
}

bool ScheduleDocument::swapDetail(qsizetype advanceRow, qsizetype row, qsizetype neighbour) {
    return validRow(m_advance, advanceRow) &&
           swapNeighbours(m_advance[advanceRow].details, row, neighbour);
}

qint64 ScheduleSizeEstimate(const ScheduleDocument& document) {
    return 50 + 30 * qint64(document.basicCount()) + 15 * qint64(document.advanceCount()) +
           30 * qint64(document.totalDetailCount());
}

#pragma once

#include "AdvanceEntry.h"
#include "ListAddress.h"

#include <QList>

// The schedule being edited: the basic list and the advance list, each
// advance entry with its own detail list. It checks no limits by itself (the
// commands do, before they change anything); every operation checks its row
// numbers and returns false, changing nothing, when one is out of range.
class ScheduleDocument final {
public:
    ScheduleDocument() = default;
    ScheduleDocument(QList<MediaEntry> basic, QList<AdvanceEntry> advance)
        : m_basic(std::move(basic))
        , m_advance(std::move(advance)) {}

    const QList<MediaEntry>& basicEntries() const { return m_basic; }
    const QList<AdvanceEntry>& advanceEntries() const { return m_advance; }
    qsizetype basicCount() const { return m_basic.size(); }
    qsizetype advanceCount() const { return m_advance.size(); }
    qsizetype totalDetailCount() const;
    bool isEmpty() const { return m_basic.isEmpty() && m_advance.isEmpty(); }

    // Rows in the list; 0 for the details of an advance entry that is not there.
    qsizetype rowCount(ListAddress list) const;
    // The entries of the basic list or of a detail list; nullptr for the
    // advance list and for the details of an advance entry that is not there.
    const QList<MediaEntry>* mediaEntries(ListAddress list) const;

    // The basic list or a detail list.
    bool append(ListAddress list, const MediaEntry& entry);
    // Inserts before row; row may be the row count, which appends.
    bool insert(ListAddress list, qsizetype row, const MediaEntry& entry);
    bool replace(ListAddress list, qsizetype row, const MediaEntry& entry);
    // The advance list, whose entries are periods with their own details.
    void appendAdvance(const AdvanceEntry& entry) { m_advance.append(entry); }
    bool insertAdvance(qsizetype row, const AdvanceEntry& entry);
    bool setAdvancePeriod(qsizetype row, const AdvancePeriod& period);
    // Any list. An advance entry moves and is removed with its details.
    bool remove(ListAddress list, qsizetype row);
    bool swap(ListAddress list, qsizetype row, qsizetype neighbour);

    friend bool operator==(const ScheduleDocument&, const ScheduleDocument&) = default;

private:
    QList<MediaEntry>* changeableEntries(ListAddress list);
    // Calls change with the list's entries; false when the list is not there.
    template <typename Change> bool changeList(ListAddress list, Change&& change);

    QList<MediaEntry> m_basic;
    QList<AdvanceEntry> m_advance;
};

// 50 + 30 per basic entry + 15 per advance entry + 30 per detail entry: the
// size that Save compares with ScheduleSizeBudget. 64 bits hold it for any
// document the reader can bring in.
qint64 ScheduleSizeEstimate(const ScheduleDocument& document);
// What entries add to the size estimate: a new basic entry, advance entry
// or detail entry, or a period copied with its details.
qint64 SizeEstimateGrowth(qint64 basicEntries, qint64 advanceEntries, qint64 detailEntries);

#pragma once

#include "AdvanceEntry.h"

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

    void clear();

    // The basic list.
    void appendBasic(const MediaEntry& entry) { m_basic.append(entry); }
    bool replaceBasic(qsizetype row, const MediaEntry& entry);
    bool removeBasic(qsizetype row);
    bool swapBasic(qsizetype row, qsizetype neighbour);

    // The advance list. An entry moves and is removed with its details.
    void appendAdvance(const AdvanceEntry& entry) { m_advance.append(entry); }
    bool setAdvancePeriod(qsizetype row, const AdvancePeriod& period);
    bool removeAdvance(qsizetype row);
    bool swapAdvance(qsizetype row, qsizetype neighbour);

    // The detail list of one advance entry.
    bool appendDetail(qsizetype advanceRow, const MediaEntry& entry);
    bool replaceDetail(qsizetype advanceRow, qsizetype row, const MediaEntry& entry);
    bool removeDetail(qsizetype advanceRow, qsizetype row);
    bool swapDetail(qsizetype advanceRow, qsizetype row, qsizetype neighbour);

    friend bool operator==(const ScheduleDocument&, const ScheduleDocument&) = default;

private:
    QList<MediaEntry> m_basic;
    QList<AdvanceEntry> m_advance;
};

// 50 + 30 per basic entry + 15 per advance entry + 30 per detail entry: the
// size that Save compares with ScheduleSizeBudget. 64 bits hold it for any
// document the reader can bring in.
qint64 ScheduleSizeEstimate(const ScheduleDocument& document);

#pragma once

// The three kinds of list in a schedule.
enum class ScheduleList { Basic, Advance, Detail };

// One list of a document: the basic list, the advance list, or the detail
// list of one advance entry. The same operations work on all of them, so a
// change names its list with one of these.
struct ListAddress {
    ScheduleList list = ScheduleList::Basic;
    int advanceRow = -1; // the owning advance entry of a detail list, else -1

    static constexpr ListAddress basic() { return {ScheduleList::Basic, -1}; }
    static constexpr ListAddress advance() { return {ScheduleList::Advance, -1}; }
    static constexpr ListAddress details(int advanceRow) {
        return {ScheduleList::Detail, advanceRow};
    }

    friend bool operator==(const ListAddress&, const ListAddress&) = default;
};

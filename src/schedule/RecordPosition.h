#pragma once

#include <QString>

// Which part of a schedule file a byte belongs to. Kept as numbers while
// reading and writing, and put into words only for a message.
struct RecordPosition {
    enum class Part { Header, KeyBlock, BasicMarker, BasicEntry, AdvanceEntry, Detail };

    Part part = Part::Header;
    int entry = 0;  // from 0: the basic or advance entry
    int detail = 0; // from 0: the detail of that advance entry

    // "basic entry 3", "detail 2 of advance entry 1" (counted from 1).
    QString describe() const;
};

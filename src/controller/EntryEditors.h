#pragma once

#include "AdvanceEntry.h"
#include "EditMode.h"

#include <optional>

// Opens the entry editors modally and hands back what the user accepted, or
// nothing for Cancel. Tests script it; the program shows the real windows.
class EntryEditors {
public:
    virtual ~EntryEditors() = default;
    virtual std::optional<MediaEntry> editMediaEntry(EditMode mode, const MediaEntry& entry) = 0;
    virtual std::optional<AdvancePeriod> editAdvanceEntry(EditMode mode,
                                                          const AdvancePeriod& period) = 0;
};

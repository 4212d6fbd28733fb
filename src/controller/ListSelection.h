#pragma once

#include "EditableDocument.h"

// What the editing commands need from the window's three lists.
class ListSelection {
public:
    virtual ~ListSelection() = default;
    // The selected row, -1 when none.
    virtual int selectedRow(ScheduleList list) const = 0;
    // Selects a row (-1: none). Selecting an advance row shows its details.
    virtual void selectRow(ScheduleList list, int row) = 0;
};

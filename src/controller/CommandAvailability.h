#pragma once

// Which list commands are enabled, from the row counts of the three lists
// alone. Add stays enabled at the limits: the commands refuse there.
struct ListCommandState {
    bool add = false;
    bool modify = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
    bool duplicate = false;
    friend bool operator==(const ListCommandState&, const ListCommandState&) = default;
};

struct CommandAvailability {
    ListCommandState basic;
    ListCommandState advance;
    ListCommandState detail;
    friend bool operator==(const CommandAvailability&, const CommandAvailability&) = default;
};

CommandAvailability AvailableCommands(int basicRows, int advanceRows, int detailRows);

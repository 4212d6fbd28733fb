#include "CommandAvailability.h"

namespace {

ListCommandState forRows(int rows) {
    return {true, rows >= 1, rows >= 1, rows >= 2, rows >= 2, rows >= 1};
}

} // namespace

CommandAvailability AvailableCommands(int basicRows, int advanceRows, int detailRows) {
    // Without an advance entry there is nothing to add details to.
    const ListCommandState detail = advanceRows == 0 ? ListCommandState{} : forRows(detailRows);
    return {forRows(basicRows), forRows(advanceRows), detail};
}

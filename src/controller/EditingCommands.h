#pragma once

#include "EntryEditors.h"
#include "ListSelection.h"

class UserDialogs;

// Add, Modify, Remove, Move Up and Move Down on the basic list, the advance
// list and the detail list of the selected advance entry. Every change goes
// through the document; the selection afterwards follows the moved or new row.
class EditingCommands final {
public:
    EditingCommands(EditableDocument& document, UserDialogs& dialogs, EntryEditors& editors,
                    ListSelection& lists);

    void add(ScheduleList list);
    void modify(ScheduleList list);
    void remove(ScheduleList list);
    void moveUp(ScheduleList list);
    void moveDown(ScheduleList list);

private:
    // The list in the document; the details are those of the chosen advance entry.
    ListAddress address(ScheduleList list) const;
    int rowCount(ScheduleList list) const;
    // The row selected in the list when the document has that entry, else -1.
    int chosenRow(ScheduleList list) const;
    bool refuseAtLimit(int count, int limit);
    void addMedia(ScheduleList list);
    void addAdvance();
    void swapRows(ScheduleList list, int row, int neighbour);

    EditableDocument& m_document;
    UserDialogs& m_dialogs;
    EntryEditors& m_editors;
    ListSelection& m_lists;
};

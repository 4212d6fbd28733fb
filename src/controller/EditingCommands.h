#pragma once

#include "EntryEditors.h"
#include "ListSelection.h"
#include "TextSlot.h"

class UserDialogs;

// Add, Modify, Remove, Duplicate, Move Up and Move Down on the basic list, the
// advance list and the detail list of the selected advance entry. Every change
// is one named step of the document's history; the document says which row
// shows it, and the lists select that row.
class EditingCommands final {
public:
    EditingCommands(EditableDocument& document, UserDialogs& dialogs, EntryEditors& editors,
                    ListSelection& lists);

    void add(ScheduleList list);
    void modify(ScheduleList list);
    void remove(ScheduleList list);
    // A copy of the selected entry right after it; a period comes with its details.
    void duplicate(ScheduleList list);
    void moveUp(ScheduleList list);
    void moveDown(ScheduleList list);

private:
    // The list in the document; the details are those of the chosen advance entry.
    ListAddress address(ScheduleList list) const;
    int rowCount(ScheduleList list) const;
    // The row selected in the list when the document has that entry, else -1.
    int chosenRow(ScheduleList list) const;
    // The limits refuse before any editor opens: first the list's count, then
    // the size budget with what the new entries would add to the estimate.
    bool refuseAtLimit(int count, int limit);
    bool refuseOverBudget(qint64 growth);
    // One more entry in the list; on the advance list, a period with
    // periodDetails details.
    bool refuseOneMore(ScheduleList list, qsizetype periodDetails = 0);
    // "Remove MOVIE.MPG": the command and its entry, as the history names it.
    static QString describe(TextSlot command, const QString& entry);
    // The same for the entry at row.
    QString describe(TextSlot command, ScheduleList list, int row) const;
    void addMedia(ScheduleList list);
    void addAdvance();
    void swapRows(ScheduleList list, int row, int neighbour, TextSlot command);

    EditableDocument& m_document;
    UserDialogs& m_dialogs;
    EntryEditors& m_editors;
    ListSelection& m_lists;
};

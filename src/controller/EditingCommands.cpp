#include "EditingCommands.h"

#include "CurrentTexts.h"
#include "UserDialogs.h"

EditingCommands::EditingCommands(EditableDocument& document, UserDialogs& dialogs,
                                 EntryEditors& editors, ListSelection& lists)
    : m_document(document)
    , m_dialogs(dialogs)
    , m_editors(editors)
    , m_lists(lists) {}

ListAddress EditingCommands::address(ScheduleList list) const {
    if (list == ScheduleList::Detail)
        return ListAddress::details(chosenRow(ScheduleList::Advance));
    return {list, -1};
}

int EditingCommands::rowCount(ScheduleList list) const {
    return int(m_document.document().rowCount(address(list)));
}

int EditingCommands::chosenRow(ScheduleList list) const {
    const int row = m_lists.selectedRow(list);
    return row >= 0 && row < rowCount(list) ? row : -1;
}

bool EditingCommands::refuseAtLimit(int count, int limit) {
    if (count < limit)
        return false;
    // The same message for all three lists.
    m_dialogs.showMessage(Text(TextSlot::TooManyBasicSchedules));
    return true;
}

void EditingCommands::add(ScheduleList list) {
    if (list == ScheduleList::Advance)
        addAdvance();
    else
        addMedia(list);
}

void EditingCommands::addMedia(ScheduleList list) {
    const bool detail = list == ScheduleList::Detail;
    const ListAddress target = address(list);
    if (detail && target.advanceRow < 0)
        return; // no advance entry to add details to
    if (refuseAtLimit(rowCount(list), detail ? MaxDetailEntries : MaxBasicEntries))
        return;
    const std::optional<MediaEntry> entry =
        m_editors.editMediaEntry(detail ? EditMode::AddDetail : EditMode::Add, MediaEntry());
    if (!entry)
        return;
    m_document.append(target, *entry);
    m_lists.selectRow(list, rowCount(list) - 1);
}

void EditingCommands::addAdvance() {
    if (refuseAtLimit(rowCount(ScheduleList::Advance), MaxAdvanceEntries))
        return;
    const std::optional<AdvancePeriod> period =
        m_editors.editAdvanceEntry(EditMode::Add, AdvancePeriod());
    if (!period)
        return;
    AdvanceEntry entry;
    entry.setPeriod(*period);
    m_document.appendAdvance(entry);
    // Selecting the new entry shows its empty detail list.
    m_lists.selectRow(ScheduleList::Advance, rowCount(ScheduleList::Advance) - 1);
}

// Modify edits the row shown selected, and nothing when none is: a list with
// rows always has one.
void EditingCommands::modify(ScheduleList list) {
    const int row = chosenRow(list);
    if (row < 0)
        return;
    const ScheduleDocument& document = m_document.document();
    if (list == ScheduleList::Advance) {
        if (const auto period =
                m_editors.editAdvanceEntry(EditMode::Modify, document.advanceEntries()[row]))
            m_document.setAdvancePeriod(row, *period);
        return;
    }
    const ListAddress target = address(list);
    const EditMode mode = list == ScheduleList::Detail ? EditMode::ModifyDetail : EditMode::Modify;
    if (const auto entry = m_editors.editMediaEntry(mode, (*document.mediaEntries(target))[row]))
        m_document.replace(target, row, *entry);
}

void EditingCommands::remove(ScheduleList list) {
    const int rows = rowCount(list);
    const int selected = chosenRow(list);
    if (selected < 0)
        return;
    m_document.remove(address(list), selected);
    // The selection stays at the same place, now on the entry that followed,
    // or moves to the new last row.
    m_lists.selectRow(list, rows > 1 ? qMin(selected, rows - 2) : -1);
}

void EditingCommands::swapRows(ScheduleList list, int row, int neighbour) {
    m_document.swap(address(list), row, neighbour);
    m_lists.selectRow(list, neighbour);
}

void EditingCommands::moveUp(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected <= 0)
        return;
    swapRows(list, selected, selected - 1);
}

void EditingCommands::moveDown(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected < 0 || selected >= rowCount(list) - 1)
        return;
    swapRows(list, selected, selected + 1);
}

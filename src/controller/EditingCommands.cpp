#include "EditingCommands.h"

#include "UserDialogs.h"
#include "CurrentTexts.h"

EditingCommands::EditingCommands(EditableDocument& document, UserDialogs& dialogs,
                                 EntryEditors& editors, ListSelection& lists)
    : m_document(document)
    , m_dialogs(dialogs)
    , m_editors(editors)
    , m_lists(lists) {}

int EditingCommands::rowCount(ScheduleList list) const {
    const ScheduleDocument& document = m_document.document();
    switch (list) {
    case ScheduleList::Basic:
        return int(document.basicCount());
    case ScheduleList::Advance:
        return int(document.advanceCount());
    case ScheduleList::Detail: {
        const int advanceRow = chosenRow(ScheduleList::Advance);
        return advanceRow < 0 ? 0 : int(document.advanceEntries()[advanceRow].detailCount());
    }
    }
    return 0;
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
    m_editMode = detail ? EditMode::AddDetail : EditMode::Add;
    const int advanceRow = chosenRow(ScheduleList::Advance);
    if (detail && advanceRow < 0)
        return; // no advance entry to add details to
    if (refuseAtLimit(rowCount(list), detail ? MaxDetailEntries : MaxBasicEntries))
        return;
    if (detail)
        m_editAdvanceRow = advanceRow;
    const std::optional<MediaEntry> entry = m_editors.editMediaEntry(m_editMode, MediaEntry());
    if (!entry)
        return;
    if (detail)
        m_document.appendDetail(advanceRow, *entry);
    else
        m_document.appendBasic(*entry);
    m_lists.selectRow(list, rowCount(list) - 1);
}

void EditingCommands::addAdvance() {
    m_editMode = EditMode::Add;
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
    const ScheduleDocument& document = m_document.document();
    switch (list) {
    case ScheduleList::Basic: {
        m_editMode = EditMode::Modify;
        m_editRow = chosenRow(list);
        if (m_editRow < 0)
            return;
        if (const auto entry =
                m_editors.editMediaEntry(m_editMode, document.basicEntries()[m_editRow]))
            m_document.replaceBasic(m_editRow, *entry);
        return;
    }
    case ScheduleList::Advance: {
        m_editMode = EditMode::Modify;
        m_editRow = chosenRow(list);
        if (m_editRow < 0)
            return;
        if (const auto period =
                m_editors.editAdvanceEntry(m_editMode, document.advanceEntries()[m_editRow]))
            m_document.setAdvancePeriod(m_editRow, *period);
        return;
    }
    case ScheduleList::Detail: {
        m_editMode = EditMode::ModifyDetail;
        m_editAdvanceRow = chosenRow(ScheduleList::Advance);
        m_editRow = chosenRow(list);
        if (m_editRow < 0)
            return;
        const MediaEntry& current = document.advanceEntries()[m_editAdvanceRow].details[m_editRow];
        if (const auto entry = m_editors.editMediaEntry(m_editMode, current))
            m_document.replaceDetail(m_editAdvanceRow, m_editRow, *entry);
        return;
    }
    }
}

void EditingCommands::remove(ScheduleList list) {
    const int rows = rowCount(list);
    const int selected = chosenRow(list);
    if (selected < 0)
        return;
    switch (list) {
    case ScheduleList::Basic:
        m_document.removeBasic(selected);
        break;
    case ScheduleList::Advance:
        m_document.removeAdvance(selected);
        break;
    case ScheduleList::Detail:
        m_document.removeDetail(chosenRow(ScheduleList::Advance), selected);
        break;
    }
    // The selection stays at the same place, now on the entry that followed,
    // or moves to the new last row.
    m_lists.selectRow(list, rows > 1 ? qMin(selected, rows - 2) : -1);
}

void EditingCommands::swapRows(ScheduleList list, int row, int neighbour) {
    switch (list) {
    case ScheduleList::Basic:
        m_document.swapBasic(row, neighbour);
        break;
    case ScheduleList::Advance:
        m_document.swapAdvance(row, neighbour);
        break;
    case ScheduleList::Detail:
        m_document.swapDetail(chosenRow(ScheduleList::Advance), row, neighbour);
        break;
    }
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

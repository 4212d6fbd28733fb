#include "EditingCommands.h"

#include "mainwindow/UserDialogs.h"
#include "texts/CurrentTexts.h"

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
        const int advanceRow = m_lists.selectedRow(ScheduleList::Advance);
        if (advanceRow < 0 || advanceRow >= document.advanceCount())
            return 0;
        return int(document.advanceEntries()[advanceRow].detailCount());
    }
    }
    return 0;
}

int EditingCommands::selectedOrFirst(ScheduleList list) {
    int row = m_lists.selectedRow(list);
    if (row < 0) {
        row = 0;
        m_lists.selectRow(list, row);
    }
    return row;
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
    const int advanceRow = m_lists.selectedRow(ScheduleList::Advance);
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
    m_lists.listCountsChanged();
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
    m_lists.listCountsChanged();
}

void EditingCommands::modify(ScheduleList list) {
    const ScheduleDocument& document = m_document.document();
    switch (list) {
    case ScheduleList::Basic: {
        m_editMode = EditMode::Modify;
        if (rowCount(list) == 0)
            return;
        m_editRow = selectedOrFirst(list);
        if (const auto entry =
                m_editors.editMediaEntry(m_editMode, document.basicEntries()[m_editRow]))
            m_document.replaceBasic(m_editRow, *entry);
        return;
    }
    case ScheduleList::Advance: {
        m_editMode = EditMode::Modify;
        if (rowCount(list) == 0)
            return;
        m_editRow = selectedOrFirst(list);
        if (const auto period =
                m_editors.editAdvanceEntry(m_editMode, document.advanceEntries()[m_editRow])) {
            m_document.setAdvancePeriod(m_editRow, *period);
            m_lists.selectRow(list, m_editRow);
        }
        return;
    }
    case ScheduleList::Detail: {
        m_editMode = EditMode::ModifyDetail;
        if (rowCount(list) == 0)
            return;
        m_editAdvanceRow = m_lists.selectedRow(ScheduleList::Advance);
        m_editRow = selectedOrFirst(list);
        const MediaEntry& current = document.advanceEntries()[m_editAdvanceRow].details[m_editRow];
        if (const auto entry = m_editors.editMediaEntry(m_editMode, current))
            m_document.replaceDetail(m_editAdvanceRow, m_editRow, *entry);
        return;
    }
    }
}

void EditingCommands::remove(ScheduleList list) {
    const int rows = rowCount(list);
    const int selected = m_lists.selectedRow(list);
    if (selected < 0 || selected >= rows)
        return;
    switch (list) {
    case ScheduleList::Basic:
        m_document.removeBasic(selected);
        break;
    case ScheduleList::Advance:
        m_document.removeAdvance(selected);
        break;
    case ScheduleList::Detail:
        m_document.removeDetail(m_lists.selectedRow(ScheduleList::Advance), selected);
        break;
    }
    // The selection stays at the same place, now on the entry that followed,
    // or moves to the new last row.
    m_lists.selectRow(list, rows > 1 ? qMin(selected, rows - 2) : -1);
    m_lists.listCountsChanged();
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
        m_document.swapDetail(m_lists.selectedRow(ScheduleList::Advance), row, neighbour);
        break;
    }
    m_lists.selectRow(list, neighbour);
}

void EditingCommands::moveUp(ScheduleList list) {
    const int selected = m_lists.selectedRow(list);
    if (selected <= 0 || selected >= rowCount(list))
        return;
    swapRows(list, selected, selected - 1);
}

void EditingCommands::moveDown(ScheduleList list) {
    const int selected = m_lists.selectedRow(list);
    if (selected < 0 || selected >= rowCount(list) - 1)
        return;
    swapRows(list, selected, selected + 1);
}

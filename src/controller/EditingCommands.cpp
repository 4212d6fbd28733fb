#include "EditingCommands.h"

#include "CurrentTexts.h"
#include "RowFormat.h"
#include "ScheduleCapacity.h"
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

bool EditingCommands::refuseOverBudget(qint64 growth) {
    if (WithinSizeBudget(ScheduleSizeEstimate(m_document.document()) + growth))
        return false;
    // Said now, not only when Save refuses the document.
    m_dialogs.showMessage(Text(TextSlot::TooManySchedules));
    return true;
}

bool EditingCommands::refuseOneMore(ScheduleList list, qsizetype periodDetails) {
    switch (list) {
    case ScheduleList::Basic:
        return refuseAtLimit(rowCount(list), MaxBasicEntries) ||
               refuseOverBudget(SizeEstimateGrowth(1, 0, 0));
    case ScheduleList::Advance:
        return refuseAtLimit(rowCount(list), MaxAdvanceEntries) ||
               refuseOverBudget(SizeEstimateGrowth(0, 1, periodDetails));
    case ScheduleList::Detail:
        break;
    }
    return refuseAtLimit(rowCount(list), MaxDetailEntries) ||
           refuseOverBudget(SizeEstimateGrowth(0, 0, 1));
}

QString EditingCommands::describe(TextSlot command, const QString& entry) {
    return Text(TextSlot::EntryChange).arg(Text(command), entry);
}

QString EditingCommands::describe(TextSlot command, ScheduleList list, int row) const {
    const ScheduleDocument& document = m_document.document();
    return describe(command, list == ScheduleList::Advance
                                 ? PeriodDatesText(document.advanceEntries()[row])
                                 : MediaFileText((*document.mediaEntries(address(list)))[row]));
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
    if (refuseOneMore(list))
        return;
    const std::optional<MediaEntry> entry =
        m_editors.editMediaEntry(detail ? EditMode::AddDetail : EditMode::Add, MediaEntry());
    if (!entry)
        return;
    m_document.append(target, *entry, describe(TextSlot::Add, MediaFileText(*entry)));
}

void EditingCommands::addAdvance() {
    if (refuseOneMore(ScheduleList::Advance))
        return;
    const std::optional<AdvancePeriod> period =
        m_editors.editAdvanceEntry(EditMode::Add, AdvancePeriod());
    if (!period)
        return;
    AdvanceEntry entry;
    entry.setPeriod(*period);
    m_document.appendAdvance(entry, describe(TextSlot::Add, PeriodDatesText(*period)));
}

// Modify edits the row shown selected, and nothing when none is: a list with
// rows always has one.
void EditingCommands::modify(ScheduleList list) {
    const int row = chosenRow(list);
    if (row < 0)
        return;
    const ScheduleDocument& document = m_document.document();
    const QString description = describe(TextSlot::Modify, list, row);
    if (list == ScheduleList::Advance) {
        if (const auto period =
                m_editors.editAdvanceEntry(EditMode::Modify, document.advanceEntries()[row]))
            m_document.setAdvancePeriod(row, *period, description);
        return;
    }
    const ListAddress target = address(list);
    const EditMode mode = list == ScheduleList::Detail ? EditMode::ModifyDetail : EditMode::Modify;
    if (const auto entry = m_editors.editMediaEntry(mode, (*document.mediaEntries(target))[row]))
        m_document.replace(target, row, *entry, description);
}

void EditingCommands::remove(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected < 0)
        return;
    m_document.remove(address(list), selected, describe(TextSlot::Remove, list, selected));
}

void EditingCommands::duplicate(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected < 0)
        return;
    const ScheduleDocument& document = m_document.document();
    const QString description = describe(TextSlot::Duplicate, list, selected);
    // The history keeps its own copy of the entry, made before the list changes.
    if (list == ScheduleList::Advance) {
        const AdvanceEntry& entry = document.advanceEntries()[selected];
        if (!refuseOneMore(list, entry.detailCount()))
            m_document.insertAdvance(selected + 1, entry, description);
        return;
    }
    const ListAddress target = address(list);
    if (!refuseOneMore(list))
        m_document.insert(target, selected + 1, (*document.mediaEntries(target))[selected],
                          description);
}

void EditingCommands::swapRows(ScheduleList list, int row, int neighbour, TextSlot command) {
    m_document.swap(address(list), row, neighbour, describe(command, list, row));
}

void EditingCommands::moveUp(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected <= 0)
        return;
    swapRows(list, selected, selected - 1, TextSlot::MoveUp);
}

void EditingCommands::moveDown(ScheduleList list) {
    const int selected = chosenRow(list);
    if (selected < 0 || selected >= rowCount(list) - 1)
        return;
    swapRows(list, selected, selected + 1, TextSlot::MoveDown);
}

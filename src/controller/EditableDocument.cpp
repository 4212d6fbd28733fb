#include "EditableDocument.h"

#include <QUndoCommand>

namespace {

// A step of the history made of two functions: the change and its inverse.
// Pushing it does the change.
class DocumentStep final : public QUndoCommand {
public:
    DocumentStep(const QString& description, std::function<void()> change,
                 std::function<void()> inverse)
        : QUndoCommand(description)
        , m_change(std::move(change))
        , m_inverse(std::move(inverse)) {}

    void redo() override { m_change(); }
    void undo() override { m_inverse(); }

private:
    std::function<void()> m_change;
    std::function<void()> m_inverse;
};

bool validRow(int row, qsizetype count) {
    return row >= 0 && row < count;
}

} // namespace

EditableDocument::EditableDocument(QObject* parent)
    : QObject(parent) {
    connect(&m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

void EditableDocument::reset(ScheduleDocument document) {
    Q_EMIT aboutToReset();
    m_document = std::move(document);
    Q_EMIT documentReset();
    // Clearing leaves the history clean, which tells the window the document
    // is unchanged.
    m_history.clear();
}

void EditableDocument::record(const QString& description, std::function<void()> change,
                              std::function<void()> inverse) {
    m_history.push(new DocumentStep(description, std::move(change), std::move(inverse)));
}

bool EditableDocument::append(ListAddress list, const MediaEntry& entry,
                              const QString& description) {
    return insert(list, int(m_document.rowCount(list)), entry, description);
}

bool EditableDocument::insert(ListAddress list, int row, const MediaEntry& entry,
                              const QString& description) {
    if (!m_document.mediaEntries(list) || row < 0 || row > m_document.rowCount(list))
        return false;
    record(
        description, [=, this] { insertMediaRow(list, row, entry); },
        [=, this] { removeRow(list, row, row - 1); });
    return true;
}

bool EditableDocument::replace(ListAddress list, int row, const MediaEntry& entry,
                               const QString& description) {
    const QList<MediaEntry>* entries = m_document.mediaEntries(list);
    if (!entries || !validRow(row, entries->size()))
        return false;
    const MediaEntry old = (*entries)[row];
    if (old != entry)
        record(
            description, [=, this] { replaceMediaRow(list, row, entry); },
            [=, this] { replaceMediaRow(list, row, old); });
    return true;
}

void EditableDocument::appendAdvance(const AdvanceEntry& entry, const QString& description) {
    insertAdvance(int(m_document.advanceCount()), entry, description);
}

bool EditableDocument::insertAdvance(int row, const AdvanceEntry& entry,
                                     const QString& description) {
    if (row < 0 || row > m_document.advanceCount())
        return false;
    record(
        description, [=, this] { insertAdvanceRow(row, entry); },
        [=, this] { removeRow(ListAddress::advance(), row, row - 1); });
    return true;
}

bool EditableDocument::setAdvancePeriod(int row, const AdvancePeriod& period,
                                        const QString& description) {
    if (!validRow(row, m_document.advanceCount()))
        return false;
    const AdvancePeriod old = m_document.advanceEntries()[row].period();
    if (old != period)
        record(
            description, [=, this] { setPeriodRow(row, period); },
            [=, this] { setPeriodRow(row, old); });
    return true;
}

bool EditableDocument::remove(ListAddress list, int row, const QString& description) {
    if (!validRow(row, m_document.rowCount(list)))
        return false;
    if (list.list == ScheduleList::Advance) {
        // The period comes back with all its details.
        const AdvanceEntry old = m_document.advanceEntries()[row];
        record(
            description, [=, this] { removeRow(list, row, row); },
            [=, this] { insertAdvanceRow(row, old); });
    } else {
        const MediaEntry old = (*m_document.mediaEntries(list))[row];
        record(
            description, [=, this] { removeRow(list, row, row); },
            [=, this] { insertMediaRow(list, row, old); });
    }
    return true;
}

bool EditableDocument::swap(ListAddress list, int row, int neighbour, const QString& description) {
    const qsizetype rows = m_document.rowCount(list);
    if (!validRow(row, rows) || !validRow(neighbour, rows) || qAbs(row - neighbour) != 1)
        return false;
    // The moved entry is shown where it went, and where it came back to.
    record(
        description, [=, this] { swapRows(list, row, neighbour, neighbour); },
        [=, this] { swapRows(list, row, neighbour, row); });
    return true;
}

template <typename Insert>
void EditableDocument::insertRow(ListAddress list, int row, Insert&& insert) {
    Q_EMIT aboutToInsertRow(list, row);
    insert();
    Q_EMIT rowInserted(list, row);
    Q_EMIT changeShown(list, row);
}

void EditableDocument::insertMediaRow(ListAddress list, int row, const MediaEntry& entry) {
    insertRow(list, row, [&] { m_document.insert(list, row, entry); });
}

void EditableDocument::insertAdvanceRow(int row, const AdvanceEntry& entry) {
    insertRow(ListAddress::advance(), row, [&] { m_document.insertAdvance(row, entry); });
}

void EditableDocument::removeRow(ListAddress list, int row, int shownRow) {
    Q_EMIT aboutToRemoveRow(list, row);
    m_document.remove(list, row);
    Q_EMIT rowRemoved(list, row);
    const int last = int(m_document.rowCount(list)) - 1;
    Q_EMIT changeShown(list, last < 0 ? -1 : qBound(0, shownRow, last));
}

void EditableDocument::replaceMediaRow(ListAddress list, int row, const MediaEntry& entry) {
    m_document.replace(list, row, entry);
    Q_EMIT rowChanged(list, row);
    Q_EMIT changeShown(list, row);
}

void EditableDocument::setPeriodRow(int row, const AdvancePeriod& period) {
    m_document.setAdvancePeriod(row, period);
    Q_EMIT rowChanged(ListAddress::advance(), row);
    Q_EMIT changeShown(ListAddress::advance(), row);
}

void EditableDocument::swapRows(ListAddress list, int row, int neighbour, int shownRow) {
    m_document.swap(list, row, neighbour);
    Q_EMIT rowsSwapped(list, row, neighbour);
    Q_EMIT changeShown(list, shownRow);
}

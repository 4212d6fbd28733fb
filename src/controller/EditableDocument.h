#pragma once

#include "ScheduleDocument.h"

#include <QObject>
#include <QUndoStack>
#include <functional>

// The schedule being edited, the one source of truth for the lists and the
// commands. Every change goes through these operations, which tell the views
// exactly what changed. Each change is one step of the history, so it can be
// undone and redone; the document counts as modified exactly when the history
// is away from the state last opened, saved or made new.
class EditableDocument final : public QObject {
    Q_OBJECT

public:
    explicit EditableDocument(QObject* parent = nullptr);

    const ScheduleDocument& document() const { return m_document; }
    bool isModified() const { return !m_history.isClean(); }
    QUndoStack& history() { return m_history; }

    // Whole-document changes (New, Open): the views rebuild, the history
    // starts afresh, and the document counts as unchanged.
    void reset(ScheduleDocument document);
    // After a successful save.
    void markSaved() { m_history.setClean(); }

    // Each change names itself in the history with its description. Those on
    // a row that does not exist change nothing and return false; a value equal
    // to the one there already is no step either.
    // The basic list or a detail list.
    bool append(ListAddress list, const MediaEntry& entry, const QString& description = {});
    bool insert(ListAddress list, int row, const MediaEntry& entry,
                const QString& description = {});
    bool replace(ListAddress list, int row, const MediaEntry& entry,
                 const QString& description = {});
    // The advance list; an entry comes and goes with its details.
    void appendAdvance(const AdvanceEntry& entry, const QString& description = {});
    bool insertAdvance(int row, const AdvanceEntry& entry, const QString& description = {});
    bool setAdvancePeriod(int row, const AdvancePeriod& period, const QString& description = {});
    // Any list.
    bool remove(ListAddress list, int row, const QString& description = {});
    bool swap(ListAddress list, int row, int neighbour, const QString& description = {});

Q_SIGNALS:
    // The "about to" signals come before the document changes, so item models
    // can announce the change to their views in the proper order.
    void aboutToReset();
    void documentReset();
    void aboutToInsertRow(ListAddress list, int row);
    void aboutToRemoveRow(ListAddress list, int row);
    void rowInserted(ListAddress list, int row);
    void rowChanged(ListAddress list, int row);
    void rowRemoved(ListAddress list, int row);
    void rowsSwapped(ListAddress list, int row, int neighbour);
    void modifiedChanged(bool modified);
    // After a change was made, undone or redone: the row that shows it (-1
    // when its list is left empty), to be selected and brought into view.
    void changeShown(ListAddress list, int row);

private:
    // One step of the history: the change and its inverse.
    void record(const QString& description, std::function<void()> change,
                std::function<void()> inverse);

    // The changes themselves, which announce each row to the views.
    void insertMediaRow(ListAddress list, int row, const MediaEntry& entry);
    void insertAdvanceRow(int row, const AdvanceEntry& entry);
    // shownRow is the row to show afterwards: the entry that took the removed
    // one's place when the user removed it, the one before when an insertion
    // is undone (the entry a duplicate was made from).
    void removeRow(ListAddress list, int row, int shownRow);
    void replaceMediaRow(ListAddress list, int row, const MediaEntry& entry);
    void setPeriodRow(int row, const AdvancePeriod& period);
    void swapRows(ListAddress list, int row, int neighbour, int shownRow);
    template <typename Insert> void insertRow(ListAddress list, int row, Insert&& insert);

    ScheduleDocument m_document;
    QUndoStack m_history;
};

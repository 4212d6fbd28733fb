#pragma once

#include "ScheduleDocument.h"

#include <QObject>

// Which of the three lists a change touched. A detail change names its
// advance entry as well.
enum class ScheduleList { Basic, Advance, Detail };

// The schedule being edited, the one source of truth for the lists and the
// commands. Every change goes through these operations, which tell the views
// exactly what changed and track whether the document differs from what was
// last opened, saved or made new.
class EditableDocument final : public QObject {
    Q_OBJECT

public:
    explicit EditableDocument(QObject* parent = nullptr)
        : QObject(parent) {}

    const ScheduleDocument& document() const { return m_document; }
    bool isModified() const { return m_modified; }

    // Whole-document changes (New, Open): the views rebuild, and the document
    // counts as unchanged.
    void reset(ScheduleDocument document);
    // After a successful save.
    void markSaved() { setModified(false); }

    void appendBasic(const MediaEntry& entry);
    bool replaceBasic(int row, const MediaEntry& entry);
    bool removeBasic(int row);
    bool swapBasic(int row, int neighbour);

    void appendAdvance(const AdvanceEntry& entry);
    bool setAdvancePeriod(int row, const AdvancePeriod& period);
    bool removeAdvance(int row);
    bool swapAdvance(int row, int neighbour);

    bool appendDetail(int advanceRow, const MediaEntry& entry);
    bool replaceDetail(int advanceRow, int row, const MediaEntry& entry);
    bool removeDetail(int advanceRow, int row);
    bool swapDetail(int advanceRow, int row, int neighbour);

Q_SIGNALS:
    // The "about to" signals come before the document changes, so item models
    // can announce the change to their views in the proper order.
    void aboutToReset();
    void documentReset();
    void aboutToInsertRow(ScheduleList list, int advanceRow, int row);
    void aboutToRemoveRow(ScheduleList list, int advanceRow, int row);
    // advanceRow is the owning advance entry for ScheduleList::Detail, else -1.
    void rowInserted(ScheduleList list, int advanceRow, int row);
    void rowChanged(ScheduleList list, int advanceRow, int row);
    void rowRemoved(ScheduleList list, int advanceRow, int row);
    void rowsSwapped(ScheduleList list, int advanceRow, int row, int neighbour);
    void modifiedChanged(bool modified);

private:
    void setModified(bool modified);
    void changed() { setModified(true); }

    ScheduleDocument m_document;
    bool m_modified = false;
};

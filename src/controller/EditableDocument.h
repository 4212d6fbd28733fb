#pragma once

#include "ScheduleDocument.h"

#include <QObject>

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

    // The basic list or a detail list.
    bool append(ListAddress list, const MediaEntry& entry);
    bool replace(ListAddress list, int row, const MediaEntry& entry);
    // The advance list.
    void appendAdvance(const AdvanceEntry& entry);
    bool setAdvancePeriod(int row, const AdvancePeriod& period);
    // Any list.
    bool remove(ListAddress list, int row);
    bool swap(ListAddress list, int row, int neighbour);

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

private:
    void setModified(bool modified);
    void changed() { setModified(true); }
    // Appends with the row announced before and after.
    template <typename Append> void appendRow(ListAddress list, Append&& append);
    void rowReplaced(ListAddress list, int row);

    ScheduleDocument m_document;
    bool m_modified = false;
};

#pragma once

#include "ControlTexts.h"
#include "ScheduleDocument.h"

#include <QDate>
#include <QDialog>

class DayPlanModel;
class QDateEdit;
class QLabel;
class QModelIndex;
class QTreeView;

// What a schedule plays on one day: a 24-hour timeline with a bar for each
// period that matches the day and the basic schedule where none does. Where
// several periods match at once it shows them all and says that the player
// chooses; it does not guess which. The window stays open beside the main
// window and follows the document as it changes.
class DayPlanForm final : public QDialog {
    Q_OBJECT

public:
    // document must outlive the window.
    DayPlanForm(const ScheduleDocument& document, QWidget* parent = nullptr);

    QDate date() const;
    void setDate(const QDate& date);
    // After the document changed.
    void refresh();
    // After a switch of language, before the refresh that rewrites the rows.
    void applyTexts();

    DayPlanModel* model() const { return m_model; }
    QTreeView* view() const { return m_view; }

Q_SIGNALS:
    // A period's bar was clicked: the main window shows it, and the plan
    // keeps the focus for the next bar or day.
    void periodClicked(int advanceRow);
    // Enter or a double-click on a period's bar: go to it in the main window.
    void periodActivated(int advanceRow);

private:
    void showOverlaps();

    const ScheduleDocument& m_document;
    ControlTexts m_texts;
    QDateEdit* m_date;
    QLabel* m_weekDay;
    QLabel* m_overlaps;
    DayPlanModel* m_model;
    QTreeView* m_view;
};

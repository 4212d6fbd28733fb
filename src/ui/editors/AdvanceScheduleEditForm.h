#pragma once

#include "AdvanceEntry.h"
#include "ControlTexts.h"
#include "EditMode.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class UserDialogs;

// The advance entry editor: the date range, the week day and the daily time
// window of one period. The period's detail list is not edited here.
class AdvanceScheduleEditForm final : public QDialog {
    Q_OBJECT

public:
    explicit AdvanceScheduleEditForm(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Fills the lists: today, every day and the whole day for a new entry, the
    // stored values otherwise. today is the system date unless a test says.
    void AdvanceEditSetup(EditMode mode, const AdvancePeriod& period = AdvancePeriod(),
                          QDate today = QDate::currentDate());

    // The period as the lists describe it, valid after OK.
    AdvancePeriod period() const { return m_period; }

    // "Osd", on-screen display: the texts of the current table put on the
    // window's controls.
    void InitAdvanceScheduleEditFormOsd();

public Q_SLOTS:
    void OKCmd_Click();

private:
    struct DateCombos {
        QComboBox* year;
        QComboBox* month;
        QComboBox* day;
    };
    struct TimeCombos {
        QComboBox* hour;
        QComboBox* minute;
        QComboBox* second;
    };

    void selectDate(const DateCombos& combos, int year, int month, int day);
    // Refills a day list for its year and month, keeping the day or moving it
    // to the month's last day.
    void DayComboSetup(const DateCombos& combos);
    AdvancePeriod StoreAdvanceEntry() const;

    UserDialogs& m_dialogs;
    bool m_formReady = false;
    AdvancePeriod m_period;
    DateCombos m_start{};
    DateCombos m_stop{};
    TimeCombos m_startTime{};
    TimeCombos m_stopTime{};
    QComboBox* m_weekdayCombo = nullptr;
    ControlTexts m_texts;
};

#include "AdvanceScheduleEditForm.h"

#include "ComboHelpers.h"
#include "CurrentTexts.h"
#include "DateRules.h"
#include "Fonts.h"
#include "UserDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

int selectedNumber(const QComboBox* combo) {
    return combo->currentText().toInt();
}

QGroupBox* makeFrame(const QString& name, TextSlot slot, ControlTexts& texts, QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    texts.add(frame, slot);
    return frame;
}

// A caption button over a list, and a label of the same text that names the
// list for the keyboard and for screen readers.
void addCaptionedList(QGridLayout* grid, int column, const QString& name, TextSlot slot,
                      QComboBox* combo, ControlTexts& texts, QWidget* parent) {
    QPushButton* caption = MakeCaptionButton(name + u"Cmd"_s, parent);
    texts.add(caption, slot);
    grid->addWidget(caption, 0, column);
    auto* label = new QLabel(parent);
    label->setObjectName(name + u"Label"_s);
    label->setBuddy(combo);
    label->hide();
    texts.add(label, slot);
    grid->addWidget(combo, 1, column);
}

struct ListPart {
    const char16_t* name;
    TextSlot caption;
    QComboBox** combo;
};

// A frame of three captioned lists side by side, each named after the frame's
// prefix and its part: StartYearCombo, StartYearCmd, StartYearLabel.
QGroupBox* buildListGroup(const QString& frameName, TextSlot frameTitle, const QString& prefix,
                          std::initializer_list<ListPart> parts, ControlTexts& texts,
                          QWidget* parent) {
    QGroupBox* frame = makeFrame(frameName, frameTitle, texts, parent);
    auto* grid = new QGridLayout(frame);
    int column = 0;
    for (const auto& [part, caption, combo] : parts) {
        const QString name = prefix + QString::fromUtf16(part);
        *combo = MakePickList(name + u"Combo"_s, frame);
        addCaptionedList(grid, column++, name, caption, *combo, texts, frame);
    }
    return frame;
}

} // namespace

AdvanceScheduleEditForm::AdvanceScheduleEditForm(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs) {
    setObjectName(u"AdvanceScheduleEditForm"_s);
    setModal(true);
    setFont(CaptionFont());
    m_texts.addWindowTitle(this, TextSlot::AdvanceEditorCaption);
    auto* layout = new QVBoxLayout(this);

    QGroupBox* dateFrame = makeFrame(u"DateFrame"_s, TextSlot::DateSetup, m_texts, this);
    auto* dateLayout = new QHBoxLayout(dateFrame);
    for (auto [prefix, title, combos] : {std::tuple{u"Start"_s, TextSlot::StartDay, &m_start},
                                         std::tuple{u"Stop"_s, TextSlot::StopDay, &m_stop}})
        dateLayout->addWidget(buildListGroup(prefix + u"DateFrame"_s, title, prefix,
                                             {{u"Year", TextSlot::Year, &combos->year},
                                              {u"Month", TextSlot::Month, &combos->month},
                                              {u"Day", TextSlot::Day, &combos->day}},
                                             m_texts, dateFrame));
    QGroupBox* weekDayFrame = makeFrame(u"WeekDayFrame"_s, TextSlot::WeekDay, m_texts, dateFrame);
    auto* weekDayLayout = new QVBoxLayout(weekDayFrame);
    m_weekdayCombo = MakePickList(u"WeekdayCombo"_s, weekDayFrame);
    weekDayLayout->addWidget(m_weekdayCombo);
    dateLayout->addWidget(weekDayFrame);
    layout->addWidget(dateFrame);

    QGroupBox* timeFrame = makeFrame(u"TimeSetupFrame"_s, TextSlot::TimeSetup, m_texts, this);
    auto* timeLayout = new QHBoxLayout(timeFrame);
    for (auto [prefix, title, combos] : {std::tuple{u"Start"_s, TextSlot::StartTime, &m_startTime},
                                         std::tuple{u"Stop"_s, TextSlot::StopTime, &m_stopTime}})
        timeLayout->addWidget(buildListGroup(prefix + u"TimeFrame"_s, title, prefix,
                                             {{u"Hour", TextSlot::Hour, &combos->hour},
                                              {u"Minute", TextSlot::Minute, &combos->minute},
                                              {u"Second", TextSlot::Second, &combos->second}},
                                             m_texts, timeFrame));
    layout->addWidget(timeFrame);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(this);
    ok->setObjectName(u"OKCmd"_s);
    ok->setDefault(true);
    m_texts.add(ok, TextSlot::Ok);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(u"CancelCmd"_s);
    m_texts.add(cancel, TextSlot::Cancel);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    for (const DateCombos* combos : {&m_start, &m_stop}) {
        const DateCombos group = *combos;
        const auto refillDays = [this, group] {
            if (m_formReady)
                DayComboSetup(group);
        };
        connect(group.year, &QComboBox::currentIndexChanged, this, refillDays);
        connect(group.month, &QComboBox::currentIndexChanged, this, refillDays);
    }
    connect(ok, &QPushButton::clicked, this, &AdvanceScheduleEditForm::OKCmd_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    InitAdvanceScheduleEditFormOsd();
}

void AdvanceScheduleEditForm::InitAdvanceScheduleEditFormOsd() {
    m_texts.apply();
}

void AdvanceScheduleEditForm::selectDate(const DateCombos& combos, int year, int month, int day) {
    FillNumbers(combos.year, FirstYear, LastYear);
    FillNumbers(combos.month, 1, 12);
    SelectNearest(combos.year, year - FirstYear);
    SelectNearest(combos.month, month - 1);
    FillNumbers(combos.day, 1,
                DaysOfMonth(selectedNumber(combos.year), selectedNumber(combos.month)));
    SelectNearest(combos.day, day - 1);
}

void AdvanceScheduleEditForm::AdvanceEditSetup(EditMode mode, const AdvancePeriod& period,
                                               QDate today) {
    m_formReady = false;
    InitAdvanceScheduleEditFormOsd();
    AdvancePeriod shown = period;
    if (IsAddMode(mode)) {
        // A clock outside the years of the list starts on the nearest one.
        const int year = qBound(FirstYear, today.year(), LastYear);
        const int day = qMin(today.day(), DaysOfMonth(year, today.month()));
        shown = AdvancePeriod();
        shown.startYear = shown.stopYear = quint8(year - FirstYear);
        shown.startMonth = shown.stopMonth = quint8(today.month());
        shown.startDay = shown.stopDay = quint8(day);
    }
    selectDate(m_start, FirstYear + shown.startYear, shown.startMonth, shown.startDay);
    selectDate(m_stop, FirstYear + shown.stopYear, shown.stopMonth, shown.stopDay);

    m_weekdayCombo->clear();
    for (int slot = int(TextSlot::Sunday); slot <= int(TextSlot::AllDay); ++slot)
        m_weekdayCombo->addItem(Text(TextSlot(slot)));
    SelectNearest(m_weekdayCombo, shown.weekDay);

    for (const TimeCombos* combos : {&m_startTime, &m_stopTime}) {
        FillNumbers(combos->hour, 0, 23);
        FillNumbers(combos->minute, 0, 59);
        FillNumbers(combos->second, 0, 59);
    }
    SelectNearest(m_startTime.hour, shown.startHour);
    SelectNearest(m_startTime.minute, shown.startMinute);
    SelectNearest(m_startTime.second, shown.startSecond);
    SelectNearest(m_stopTime.hour, shown.stopHour);
    SelectNearest(m_stopTime.minute, shown.stopMinute);
    SelectNearest(m_stopTime.second, shown.stopSecond);
    m_formReady = true;
}

void AdvanceScheduleEditForm::DayComboSetup(const DateCombos& combos) {
    const int kept = combos.day->currentIndex();
    const QSignalBlocker quiet(combos.day);
    FillNumbers(combos.day, 1,
                DaysOfMonth(selectedNumber(combos.year), selectedNumber(combos.month)));
    SelectNearest(combos.day, kept);
}

AdvancePeriod AdvanceScheduleEditForm::StoreAdvanceEntry() const {
    const auto date = [](const DateCombos& combos) {
        return CalendarDate{selectedNumber(combos.year), selectedNumber(combos.month),
                            selectedNumber(combos.day)};
    };
    const auto time = [](const TimeCombos& combos) {
        return TimeOfDay{selectedNumber(combos.hour), selectedNumber(combos.minute),
                         selectedNumber(combos.second)};
    };
    return PeriodOf(date(m_start), time(m_startTime), date(m_stop), time(m_stopTime),
                    m_weekdayCombo->currentIndex());
}

void AdvanceScheduleEditForm::OKCmd_Click() {
    const AdvancePeriod period = StoreAdvanceEntry();
    if (!DateSetupCheck(StartDateOf(period), StopDateOf(period))) {
        m_dialogs.showMessage(Text(TextSlot::DateSetupError));
        return;
    }
    if (!TimeSetupCheck(StartTimeOf(period), StopTimeOf(period))) {
        m_dialogs.showMessage(Text(TextSlot::TimeSetupError));
        return;
    }
    m_period = period;
    accept();
}

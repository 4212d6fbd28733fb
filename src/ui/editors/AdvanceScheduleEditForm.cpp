#include "AdvanceScheduleEditForm.h"

#include "ComboHelpers.h"
#include "Fonts.h"
#include "UserDialogs.h"
#include "DateRules.h"
#include "CurrentTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

int selectedNumber(const QComboBox* combo) {
    return combo->currentText().toInt();
}

// A caption button over a list, and a label of the same text that names the
// list for the keyboard and for screen readers.
void addCaptionedList(QGridLayout* grid, int column, const QString& name, QComboBox* combo,
                      QWidget* parent) {
    grid->addWidget(MakeCaptionButton(name + u"Cmd"_s, parent), 0, column);
    auto* label = new QLabel(parent);
    label->setObjectName(name + u"Label"_s);
    label->setBuddy(combo);
    label->hide();
    grid->addWidget(combo, 1, column);
}

// A frame of three captioned lists side by side, each named after the frame's
// prefix and its part: StartYearCombo, StartYearCmd, StartYearLabel.
QGroupBox* buildListGroup(const QString& frameName, const QString& prefix,
                          std::initializer_list<std::pair<const char16_t*, QComboBox**>> parts,
                          QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(frameName);
    auto* grid = new QGridLayout(frame);
    int column = 0;
    for (const auto& [part, combo] : parts) {
        const QString name = prefix + QString::fromUtf16(part);
        *combo = MakePickList(name + u"Combo"_s, frame);
        addCaptionedList(grid, column++, name, *combo, frame);
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
    auto* layout = new QVBoxLayout(this);

    auto* dateFrame = new QGroupBox(this);
    dateFrame->setObjectName(u"DateFrame"_s);
    auto* dateLayout = new QHBoxLayout(dateFrame);
    for (auto [prefix, combos] : {std::pair{u"Start"_s, &m_start}, std::pair{u"Stop"_s, &m_stop}})
        dateLayout->addWidget(buildListGroup(
            prefix + u"DateFrame"_s, prefix,
            {{u"Year", &combos->year}, {u"Month", &combos->month}, {u"Day", &combos->day}},
            dateFrame));
    auto* weekDayFrame = new QGroupBox(dateFrame);
    weekDayFrame->setObjectName(u"WeekDayFrame"_s);
    auto* weekDayLayout = new QVBoxLayout(weekDayFrame);
    m_weekdayCombo = MakePickList(u"WeekdayCombo"_s, weekDayFrame);
    weekDayLayout->addWidget(m_weekdayCombo);
    dateLayout->addWidget(weekDayFrame);
    layout->addWidget(dateFrame);

    auto* timeFrame = new QGroupBox(this);
    timeFrame->setObjectName(u"TimeSetupFrame"_s);
    auto* timeLayout = new QHBoxLayout(timeFrame);
    for (auto [prefix, combos] :
         {std::pair{u"Start"_s, &m_startTime}, std::pair{u"Stop"_s, &m_stopTime}})
        timeLayout->addWidget(buildListGroup(
            prefix + u"TimeFrame"_s, prefix,
            {{u"Hour", &combos->hour}, {u"Minute", &combos->minute}, {u"Second", &combos->second}},
            timeFrame));
    layout->addWidget(timeFrame);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(this);
    ok->setObjectName(u"OKCmd"_s);
    ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(u"CancelCmd"_s);
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
    setWindowTitle(Text(TextSlot::AdvanceEditorCaption));
    const std::pair<const char16_t*, TextSlot> frames[] = {
        {u"DateFrame", TextSlot::DateSetup},      {u"StartDateFrame", TextSlot::StartDay},
        {u"StopDateFrame", TextSlot::StopDay},    {u"WeekDayFrame", TextSlot::WeekDay},
        {u"TimeSetupFrame", TextSlot::TimeSetup}, {u"StartTimeFrame", TextSlot::StartTime},
        {u"StopTimeFrame", TextSlot::StopTime},
    };
    for (const auto& [name, slot] : frames)
        findChild<QGroupBox*>(QString::fromUtf16(name))->setTitle(Text(slot));
    const std::pair<const char16_t*, TextSlot> captions[] = {
        {u"Year", TextSlot::Year}, {u"Month", TextSlot::Month},   {u"Day", TextSlot::Day},
        {u"Hour", TextSlot::Hour}, {u"Minute", TextSlot::Minute}, {u"Second", TextSlot::Second},
    };
    for (const QString& prefix : {u"Start"_s, u"Stop"_s}) {
        for (const auto& [name, slot] : captions) {
            const QString base = prefix + QString::fromUtf16(name);
            if (auto* button = findChild<QPushButton*>(base + u"Cmd"_s))
                button->setText(Text(slot));
            if (auto* label = findChild<QLabel*>(base + u"Label"_s))
                label->setText(Text(slot));
        }
    }
    findChild<QPushButton*>(u"OKCmd"_s)->setText(Text(TextSlot::Ok));
    findChild<QPushButton*>(u"CancelCmd"_s)->setText(Text(TextSlot::Cancel));
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

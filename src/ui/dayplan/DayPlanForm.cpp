#include "DayPlanForm.h"

#include "CurrentTexts.h"
#include "DayPlanModel.h"
#include "Limits.h"
#include "PeriodMatching.h"
#include "PeriodTexts.h"
#include "TimelinePainting.h"
#include "WarningTexts.h"
#include "WindowLanguage.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// More lines than this would push the timeline off a small screen.
constexpr int MostOverlapLines = 6;

QPushButton* makeButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

DayPlanForm::DayPlanForm(const ScheduleDocument& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_date(new QDateEdit(this))
    , m_weekDay(new QLabel(this))
    , m_overlaps(new QLabel(this))
    , m_model(new DayPlanModel(this))
    , m_view(new QTreeView(this)) {
    setObjectName(u"DayPlanForm"_s);
    m_texts.addWindowTitle(this, TextSlot::DayPlanCommand);

    auto* dateLabel = new QLabel(this);
    m_texts.add(dateLabel, TextSlot::DayPlanDate);
    m_date->setObjectName(u"DayPlanDate"_s);
    m_date->setDisplayFormat(u"yyyy/MM/dd"_s);
    m_date->setCalendarPopup(true);
    // The days a schedule file can name.
    m_date->setDateRange(QDate(FirstYear, 1, 1), QDate(FirstYear + 255, 12, 31));
    dateLabel->setBuddy(m_date);
    m_weekDay->setObjectName(u"DayPlanWeekDay"_s);
    m_weekDay->setMinimumWidth(fontMetrics().horizontalAdvance(u"Wednesday"_s) + 8);

    QPushButton* previous = makeButton(u"PreviousDayCmd"_s, this);
    QPushButton* next = makeButton(u"NextDayCmd"_s, this);
    QPushButton* today = makeButton(u"TodayCmd"_s, this);
    m_texts.add(previous, TextSlot::PreviousDay, u'P');
    m_texts.add(next, TextSlot::NextDay, u'N');
    m_texts.add(today, TextSlot::TodayCommand, u'T');
    connect(previous, &QPushButton::clicked, this, [this] { setDate(date().addDays(-1)); });
    connect(next, &QPushButton::clicked, this, [this] { setDate(date().addDays(1)); });
    connect(today, &QPushButton::clicked, this, [this] { setDate(QDate::currentDate()); });
    // Back and forward, as in a browser, wherever the focus is in the window.
    for (const auto& [keys, button] :
         {std::pair{QKeySequence::Back, previous}, std::pair{QKeySequence::Forward, next}}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }

    auto* rule = new QLabel(this);
    rule->setObjectName(u"MatchingRule"_s);
    rule->setWordWrap(true);
    m_texts.add(rule, TextSlot::MatchingRule);

    m_view->setObjectName(u"DayPlanView"_s);
    m_view->setHeader(new TimelineHeader(DayPlanModel::TimelineColumn, m_view));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    m_view->setAllColumnsShowFocus(true);
    m_view->setUniformRowHeights(true);
    m_view->setItemDelegateForColumn(DayPlanModel::TimelineColumn, new TimelineDelegate(m_view));
    m_view->header()->setStretchLastSection(true);
    m_view->header()->setSectionResizeMode(DayPlanModel::LabelColumn,
                                           QHeaderView::ResizeToContents);
    m_view->header()->setSectionResizeMode(DayPlanModel::TimesColumn,
                                           QHeaderView::ResizeToContents);
    m_view->header()->setSectionsClickable(false);
    // The basic row names no period and does nothing.
    const auto advanceRow = [](const QModelIndex& index) {
        return index.isValid() ? index.data(DayPlanModel::AdvanceRowRole).toInt() : -1;
    };
    connect(m_view, &QTreeView::clicked, this, [this, advanceRow](const QModelIndex& index) {
        if (const int row = advanceRow(index); row >= 0)
            Q_EMIT periodClicked(row);
    });
    connect(m_view, &QTreeView::activated, this, [this, advanceRow](const QModelIndex& index) {
        if (const int row = advanceRow(index); row >= 0)
            Q_EMIT periodActivated(row);
    });

    m_overlaps->setObjectName(u"OverlapNotice"_s);
    m_overlaps->setWordWrap(true);
    m_overlaps->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_weekDay);
    dateRow->addStretch();
    dateRow->addWidget(previous);
    dateRow->addWidget(next);
    dateRow->addWidget(today);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addWidget(rule);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_overlaps);
    layout->addWidget(buttons);

    setSizeGripEnabled(true);
    resize(960, 440);
    applyTexts();
    m_date->setDate(QDate::currentDate());
    refresh();
    connect(m_date, &QDateEdit::dateChanged, this, &DayPlanForm::refresh);
    m_date->setFocus();
}

QDate DayPlanForm::date() const {
    return m_date->date();
}

void DayPlanForm::setDate(const QDate& date) {
    m_date->setDate(date);
}

void DayPlanForm::refresh() {
    const int current = m_view->currentIndex().row();
    m_model->setPlan(m_document, date());
    m_weekDay->setText(WeekDayWords(quint8(WeekDayOf(date()))));
    if (m_model->rowCount() > 0)
        m_view->setCurrentIndex(m_model->index(std::clamp(current, 0, m_model->rowCount() - 1), 0));
    showOverlaps();
}

void DayPlanForm::applyTexts() {
    m_texts.apply();
    ApplyLanguageToWindow(this);
}

void DayPlanForm::showOverlaps() {
    QStringList lines;
    for (const DaySegment& segment : m_model->segments()) {
        if (segment.advanceRows.size() < 2)
            continue;
        if (lines.size() == MostOverlapLines) {
            lines.append(u"…"_s);
            break;
        }
        lines.append(Text(TextSlot::OverlapLine)
                         .arg(SecondText(segment.firstSecond), SecondText(segment.lastSecond),
                              PeriodNumbers(segment.advanceRows)));
    }
    m_overlaps->setVisible(!lines.isEmpty());
    if (!lines.isEmpty())
        m_overlaps->setText(Text(TextSlot::OverlapNotice) + u'\n' + lines.join(u'\n'));
}

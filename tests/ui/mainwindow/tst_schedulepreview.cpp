// What a schedule will do, as the main window shows it: the Problems panel
// and the day plan, opened from the View menu with the keyboard, their lines
// and bars clicked, and both following the document as it is edited.

#include "CurrentTexts.h"
#include "DayPlanForm.h"
#include "DayPlanModel.h"
#include "EditingTestSupport.h"
#include "ProblemsPanel.h"
#include "TimelinePainting.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QTreeView>

namespace {

using enum ScheduleList;

// Far enough ahead that no period has ended on the day the test runs.
// 2098-12-07 is a Sunday, 2098-12-08 a Monday.
const AdvancePeriod Year{98, 1, 1, 8, 0, 0, 98, 12, 31, 17, 30, 0, EveryWeekDay};
const AdvancePeriod MondayOnASunday{98, 12, 7, 0, 0, 0, 98, 12, 7, 23, 59, 59, 1};
const AdvancePeriod MondayAfternoons{98, 12, 8, 12, 0, 0, 98, 12, 31, 20, 0, 0, 1};
const QDate Monday(2098, 12, 8);

ScheduleDocument plannedSchedule() {
    return ScheduleDocument({media("SONG")}, {{Year, numbered("A", 1)},
                                              {MondayOnASunday, numbered("B", 1)},
                                              {Year, numbered("C", 2)},
                                              {MondayAfternoons, numbered("D", 3)}});
}

// Opens a menu of the menu bar with its Alt key and picks an item by its key.
void pickFromMenu(QWidget* window, Qt::Key menuKey, Qt::Key itemKey) {
    QTest::keyClick(window, menuKey, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    QVERIFY(menu);
    QTest::keyClick(menu, itemKey);
}

QStringList lines(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QStringList planRows(const DayPlanForm* plan) {
    QStringList texts;
    const QAbstractItemModel* model = plan->view()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, DayPlanModel::LabelColumn).data().toString() + u" | "_s +
                     model->index(row, DayPlanModel::TimesColumn).data().toString());
    return texts;
}

// A click in the middle of a row's first bar.
void clickBar(QTreeView* view, int row) {
    const QModelIndex bar = view->model()->index(row, DayPlanModel::TimelineColumn);
    const QPoint span = bar.data(DayPlanModel::SpansRole).value<QList<QPoint>>().value(0);
    const QRect cell = view->visualRect(bar);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      {TimelineX(cell, (span.x() + span.y()) / 2), cell.center().y()});
}

const QString NeverPlaysLine =
    u"Period 2 can never play: no Monday lies between 2098/12/07 and 2098/12/07."_s;
const QString SamePeriodLine = u"Period 3 has the same dates, week day and time window as "
                               "period 1; the player chooses between them."_s;

} // namespace

class TestSchedulePreview final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void problemsPanel() {
        EditingWindow w(plannedSchedule());
        auto* panel = w.window->findChild<ProblemsPanel*>();
        auto* count = w.window->findChild<QToolButton*>(u"WarningCount"_s);
        QVERIFY(!panel->isVisible());
        QVERIFY(count->isVisible());
        QCOMPARE(count->text(), u"Warnings: 2"_s);

        pickFromMenu(w.window.get(), Qt::Key_W, Qt::Key_P);
        QVERIFY(panel->isVisible());
        QCOMPARE(lines(panel->list()), (QStringList{NeverPlaysLine, SamePeriodLine}));

        // A click on a line selects its period, with its details, and gives
        // the advance list the focus for the next key.
        ClickRow(panel->list(), 1);
        QCOMPARE(w.selected(Advance), 2);
        QCOMPARE(w.rows(Detail).size(), 2);
        QTRY_VERIFY(w.list(Advance)->hasFocus());

        // The lines follow every edit, undo and redo.
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::Key_Delete));
        QCOMPARE(lines(panel->list()), QStringList{NeverPlaysLine});
        QCOMPARE(count->text(), u"Warnings: 1"_s);
        ClickRow(panel->list(), 0);
        QCOMPARE(w.selected(Advance), 1);
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::Key_Delete));
        QCOMPARE(lines(panel->list()), QStringList{Text(TextSlot::NoProblems)});
        QVERIFY(!count->isVisible());
        ClickRow(panel->list(), 0); // names no period: nothing changes
        QCOMPARE(w.document().advanceCount(), 2);
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(lines(panel->list()), (QStringList{NeverPlaysLine, SamePeriodLine}));

        // Saving is never refused for a warning.
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!w.isModified());
        QCOMPARE(w.dialogs.messages(), QStringList());

        w.window->selectLanguage(SecondLanguageSelector);
        QCOMPARE(count->text(), u"警告：2 件"_s);
        QCOMPARE(lines(panel->list()).value(0),
                 u"期間 2 は再生されません。2098/12/07～2098/12/07 に月曜日がありません。"_s);

        pickFromMenu(w.window.get(), Qt::Key_W, Qt::Key_P);
        QVERIFY(!panel->isVisible());
    }

    void dayPlan() {
        EditingWindow w(plannedSchedule());
        pickFromMenu(w.window.get(), Qt::Key_W, Qt::Key_D);
        auto* plan = w.window->findChild<DayPlanForm*>();
        QVERIFY(plan && plan->isVisible());
        // Offscreen, the closing menu hands the activation back to the main
        // window afterwards; a window manager would leave it with the plan.
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTest::qWait(10);
        plan->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(plan));
        QCOMPARE(plan->date(), QDate::currentDate());

        plan->setDate(Monday);
        QCOMPARE(planRows(plan),
                 (QStringList{u"Period 1 · All Day · 1 media files | 08:00:00 - 17:30:00"_s,
                              u"Period 3 · All Day · 2 media files | 08:00:00 - 17:30:00"_s,
                              u"Period 4 · Monday · 3 media files | 12:00:00 - 20:00:00"_s,
                              u"Basic Schedule | 00:00:00 - 07:59:59, 20:00:01 - 23:59:59"_s}));
        auto* overlaps = plan->findChild<QLabel*>(u"OverlapNotice"_s);
        QVERIFY(overlaps->isVisible());
        QCOMPARE(overlaps->text().split(u'\n').mid(1),
                 (QStringList{u"08:00:00 - 11:59:59: periods 1, 3"_s,
                              u"12:00:00 - 17:30:00: periods 1, 3, 4"_s}));

        // A click on a bar selects its period in the main window.
        clickBar(plan->view(), 2);
        QCOMPARE(w.selected(Advance), 3);
        QCOMPARE(w.rows(Detail).size(), 3);
        clickBar(plan->view(), 3); // the basic schedule: no period to select
        QCOMPARE(w.selected(Advance), 3);
        QVERIFY(plan->isActiveWindow());

        ClickButton(plan, u"NextDayCmd"_s);
        QCOMPARE(plan->date(), Monday.addDays(1));
        QCOMPARE(planRows(plan).size(), 3);
        QTest::keySequence(plan->view(), QKeySequence::Back);
        QCOMPARE(plan->date(), Monday);
        QTest::keySequence(plan->view(), QKeySequence::Back);
        QCOMPARE(plan->date(), Monday.addDays(-1));
        ClickButton(plan, u"TodayCmd"_s);
        QCOMPARE(plan->date(), QDate::currentDate());

        // Enter on a bar goes to its period in the main window.
        plan->setDate(Monday);
        ClickRow(plan->view(), 0);
        QTest::keyClick(plan->view(), Qt::Key_Return);
        QCOMPARE(w.selected(Advance), 0);
        QTRY_VERIFY(w.list(Advance)->hasFocus());

        // The plan follows the document: removing period 3 leaves periods 1
        // and 4 to share the afternoon.
        plan->setDate(Monday);
        w.select(Advance, 2);
        QTest::keySequence(w.list(Advance), QKeySequence(Qt::Key_Delete));
        QCOMPARE(planRows(plan).size(), 3);
        QCOMPARE(overlaps->text().split(u'\n').mid(1),
                 QStringList{u"12:00:00 - 17:30:00: periods 1, 3"_s});

        w.window->selectLanguage(SecondLanguageSelector);
        QCOMPARE(planRows(plan).value(0),
                 u"期間 1・毎日・メディアファイル 1 件 | 08:00:00～17:30:00"_s);
        QCOMPARE(overlaps->text().split(u'\n').mid(1),
                 QStringList{u"12:00:00～17:30:00：期間 1, 3"_s});
    }
};

QTEST_MAIN(TestSchedulePreview)
#include "tst_schedulepreview.moc"

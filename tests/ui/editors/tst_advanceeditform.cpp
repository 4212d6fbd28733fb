// The advance entry editor on its own, shown without exec(): what it shows for
// a new and a stored entry, the day list that follows year and month, and the
// checks on OK.

#include "AdvanceScheduleEditForm.h"
#include "CurrentTexts.h"
#include "ListInput.h"
#include "ScriptedDialogs.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

struct Editor {
    ScriptedDialogs dialogs;
    AdvanceScheduleEditForm form{dialogs};
    QList<QComboBox*> lists; // year, month and day of the start, then of the stop

    Editor() {
        for (const QString& name :
             u"StartYear StartMonth StartDay StopYear StopMonth StopDay"_s.split(u' '))
            lists.append(form.findChild<QComboBox*>(name + u"Combo"_s));
        // Used before for another entry, as the window is again and again.
        form.AdvanceEditSetup(EditMode::Modify, {10, 6, 7, 1, 2, 3, 11, 8, 9, 4, 5, 6, 2});
        form.show();
    }
    // Picks the item from the opened list with the keys: F4 opens it, the
    // arrows move through it without choosing, Return chooses.
    static void pick(QComboBox* list, int item) {
        QTest::keyClick(list, Qt::Key_F4);
        QAbstractItemView* popup = list->view();
        QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
        QTest::keyClick(popup, Qt::Key_Home);
        for (int step = 0; step < item; ++step)
            QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->isVisible());
    }
};

} // namespace

class TestAdvanceEditForm final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadEnglishTexts(); }

    // A new entry starts on today, a stored one shows its values (a damaged
    // one the nearest items); OK stores what is shown only when the dates, and
    // then the times, are in order.
    void okStoresWhatIsShown_data() {
        QTest::addColumn<AdvancePeriod>("stored");
        QTest::addColumn<QDate>("today"); // invalid: the stored entry is edited
        QTest::addColumn<AdvancePeriod>("shown");
        QTest::addColumn<QString>("message"); // empty: accepted
        const auto row = [](const char* name, const AdvancePeriod& stored, QDate today,
                            const AdvancePeriod& shown, const QString& message) {
            QTest::newRow(name) << stored << today << shown << message;
        };
        const auto check = [&row](const char* name, const AdvancePeriod& stored,
                                  const QString& message) {
            row(name, stored, {}, stored, message);
        };
        row("new", {}, {2006, 12, 28}, {6, 12, 28, 0, 0, 0, 6, 12, 28, 23, 59, 59, 7}, {});
        // A clock outside the lists' years starts on the nearest one.
        row("new, 2104 leap day", {}, {2104, 2, 29}, {99, 2, 28, 0, 0, 0, 99, 2, 28, 23, 59, 59, 7},
            {});
        // A damaged file: values outside the lists show the nearest item.
        row("damaged", {6, 13, 40, 0, 0, 0, 150, 0, 0, 30, 99, 60, 9}, {},
            {6, 12, 31, 0, 0, 0, 99, 1, 1, 23, 59, 59, 7}, {});
        check("equal times", {6, 5, 1, 12, 0, 0, 6, 5, 1, 12, 0, 0, 4}, u"Time Setup Error!"_s);
        check("both, date first", {6, 5, 2, 12, 0, 0, 6, 5, 1, 12, 0, 0, 4},
              u"Date Setup Error!"_s);
    }

    void okStoresWhatIsShown() {
        QFETCH(AdvancePeriod, stored);
        QFETCH(QDate, today);
        QFETCH(AdvancePeriod, shown);
        QFETCH(QString, message);
        Editor editor;
        editor.form.AdvanceEditSetup(today.isValid() ? EditMode::Add : EditMode::Modify, stored,
                                     today);
        ClickButton(&editor.form, u"OKCmd"_s);
        QCOMPARE(editor.form.period(), message.isEmpty() ? shown : AdvancePeriod());
        QCOMPARE(editor.dialogs.messages(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        // Refused, the window stays open; Cancel rejects it.
        QCOMPARE(editor.form.isVisible(), !message.isEmpty());
        if (!message.isEmpty())
            ClickButton(&editor.form, u"CancelCmd"_s);
        QCOMPARE(editor.form.result(),
                 int(message.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
    }

    void dayListFollowsYearAndMonth() {
        // Each step picks an item of the year (0) or month (1) list; the day
        // list then has days items and keeps the day or moves it to the last.
        const int steps[][4] = {
            {1, 4 - 1, 30, 30}, {1, 2 - 1, 29, 29}, {0, 99, 28, 28}, {0, 0, 29, 28}};
        for (int group : {0, 3}) { // start, stop
            Editor editor;
            editor.form.AdvanceEditSetup(EditMode::Modify,
                                         {8, 3, 31, 0, 0, 0, 8, 3, 31, 23, 59, 59, 7});
            for (const auto& [list, item, days, day] : steps) {
                Editor::pick(editor.lists[group + list], item);
                QCOMPARE(editor.lists[group + list]->currentIndex(), item);
                QCOMPARE(editor.lists[group + 2]->count(), days);
                QCOMPARE(editor.lists[group + 2]->currentText().toInt(), day);
            }
        }
    }
};

QTEST_MAIN(TestAdvanceEditForm)
#include "tst_advanceeditform.moc"

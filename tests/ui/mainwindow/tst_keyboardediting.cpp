// Editing with the keyboard alone, as a person does it: each list command by
// its key on the focused list, then Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y. The
// document, the row selected and the "*" mark after each; the Edit menu
// naming the change; the size budget refusing at once.

#include "EditingTestSupport.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>

namespace {

using enum ScheduleList;

struct KeyCase {
    ScheduleList list;
    QKeySequence key;
    QList<int> order; // as for expected(), from three rows with row 1 selected
    int selectedAfter, selectedAfterUndo;
};

void press(QWidget* widget, const QKeySequence& key) {
    QTest::keySequence(widget, key);
}

const QKeySequence Undo(Qt::CTRL | Qt::Key_Z);
const QKeySequence RedoShift(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
const QKeySequence RedoY(Qt::CTRL | Qt::Key_Y);

} // namespace

Q_DECLARE_METATYPE(KeyCase)

class TestKeyboardEditing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandUndoRedo_data() {
        QTest::addColumn<KeyCase>("c");
        for (ScheduleList l : {Basic, Advance, Detail}) {
            const auto row = [l](const char* name, QKeySequence key, QList<int> order, int after,
                                 int afterUndo) {
                QTest::addRow("%s %s", qPrintable(ListNames[int(l)]), name)
                    << KeyCase{l, key, order, after, afterUndo};
            };
            row("Insert adds", QKeySequence(Qt::Key_Insert), {0, 1, 2, -1}, 3, 2);
            row("F2 modifies", QKeySequence(Qt::Key_F2), {0, -1, 2}, 1, 1);
            row("Delete removes", QKeySequence(Qt::Key_Delete), {0, 2}, 1, 1);
            row("Ctrl+D duplicates", QKeySequence(Qt::CTRL | Qt::Key_D), {0, 1, 1, 2}, 2, 1);
            row("Alt+Up moves up", QKeySequence(Qt::ALT | Qt::Key_Up), {1, 0, 2}, 0, 1);
            row("Alt+Down moves down", QKeySequence(Qt::ALT | Qt::Key_Down), {0, 2, 1}, 2, 1);
        }
    }

    void commandUndoRedo() {
        QFETCH(KeyCase, c);
        const ScheduleDocument before = withRows(c.list, 3);
        const ScheduleDocument after = expected(before, c.list, c.order);
        EditingWindow w(before);
        if (c.list == Detail)
            w.select(Advance, 1);
        w.select(c.list, 1); // the click gives the list the focus
        w.editors.mediaAnswers = {NewMedia};
        w.editors.advanceAnswers = {NewPeriod};
        QListView* list = w.list(c.list);
        const auto state = [&](const ScheduleDocument& document, int selected, bool modified) {
            QCOMPARE(w.document(), document);
            QCOMPARE(w.selected(c.list), selected);
            QCOMPARE(w.window->isWindowModified(), modified);
            // A changed detail is shown with its own period.
            if (c.list == Detail)
                QCOMPARE(w.selected(Advance), 1);
            QCOMPARE(w.listsMismatch(), QString());
        };
        // A failed comparison ends the step's lambda; stop there too.
        press(list, c.key);
        state(after, c.selectedAfter, true);
        QVERIFY(!QTest::currentTestFailed());
        press(list, Undo);
        state(before, c.selectedAfterUndo, false);
        QVERIFY(!QTest::currentTestFailed());
        press(list, RedoShift);
        state(after, c.selectedAfter, true);
        QVERIFY(!QTest::currentTestFailed());
        press(list, Undo);
        press(list, RedoY);
        state(after, c.selectedAfter, true);
        QCOMPARE(w.editors.modes.size(), c.order.contains(-1) ? 1 : 0);
    }

    // The Edit menu names the change to undo and to redo; nothing left, the
    // items say only what they do and are disabled.
    void editMenuNamesTheChange() {
        EditingWindow w(ScheduleDocument({media("MOVIE", "MPG"), media("R&D", "MP3")}, {}));
        QAction* undo = w.window->findChild<QAction*>(u"subUndo"_s);
        QAction* redo = w.window->findChild<QAction*>(u"subRedo"_s);
        QVERIFY(w.window->menuBar()->findChild<QMenu*>(u"subEdit"_s)->actions().contains(undo));
        QCOMPARE(undo->text(), u"&Undo"_s);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        w.select(Basic, 0);
        press(w.list(Basic), QKeySequence(Qt::Key_Delete));
        QCOMPARE(undo->text(), u"&Undo Remove MOVIE.MPG"_s);
        press(w.list(Basic), QKeySequence(Qt::Key_Delete));
        QCOMPARE(undo->text(), u"&Undo Remove R&&D.MP3"_s); // an "&" in a name stays an "&"
        press(w.list(Basic), Undo);
        QCOMPARE(redo->text(), u"&Redo Remove R&&D.MP3"_s);
        QVERIFY(undo->isEnabled() && redo->isEnabled());
    }

    // Save makes the present the saved state; undoing past it marks the
    // document changed again, and New starts a history of its own.
    void markFollowsTheSavedState() {
        EditingWindow w(withRows(Basic, 3));
        w.select(Basic, 0);
        QListView* list = w.list(Basic);
        press(list, QKeySequence(Qt::Key_Delete));
        press(list, QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!w.window->isWindowModified());
        QCOMPARE(ReadBack(w.folder.path() + u"/morva.mvs"_s), w.document());
        press(list, Undo);
        QVERIFY(w.window->isWindowModified());
        press(list, RedoShift);
        QVERIFY(!w.window->isWindowModified());
        press(list, Undo);
        w.dialogs.answerSaveChanges(SaveChangesAnswer::Discard);
        press(list, QKeySequence(Qt::CTRL | Qt::Key_N));
        QVERIFY(!w.window->findChild<QAction*>(u"subUndo"_s)->isEnabled());
        QVERIFY(!w.window->isWindowModified());
    }

    // Without the mouse: a frame's access key takes the focus to its list,
    // and the keys then act on that list.
    void accessKeysReachEveryList() {
        EditingWindow w(withRows(Detail, 3));
        for (const auto& [key, list] : {std::pair{Qt::Key_V, Advance}, std::pair{Qt::Key_D, Detail},
                                        std::pair{Qt::Key_B, Basic}}) {
            press(w.window.get(), QKeySequence(Qt::ALT | key));
            QCOMPARE(QApplication::focusWidget(), w.list(list));
        }
        press(w.window.get(), QKeySequence(Qt::ALT | Qt::Key_V));
        press(QApplication::focusWidget(), QKeySequence(Qt::Key_Down)); // the second period
        press(w.window.get(), QKeySequence(Qt::ALT | Qt::Key_D));
        press(QApplication::focusWidget(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(w.document(), expected(withRows(Detail, 3), Detail, {1, 2}));
    }

    // One entry short of the size budget (29990 of 30000): every command that
    // would add one refuses at once, before any editor opens.
    void sizeBudgetRefusesAtOnce_data() {
        QTest::addColumn<ScheduleList>("list");
        QTest::addColumn<QKeySequence>("key");
        for (ScheduleList l : {Basic, Advance, Detail}) {
            QTest::addRow("%s Add", qPrintable(ListNames[int(l)]))
                << l << QKeySequence(Qt::Key_Insert);
            QTest::addRow("%s Duplicate", qPrintable(ListNames[int(l)]))
                << l << QKeySequence(Qt::CTRL | Qt::Key_D);
        }
    }

    void sizeBudgetRefusesAtOnce() {
        QFETCH(ScheduleList, list);
        QFETCH(QKeySequence, key);
        QList<int> details(9, 100);
        details.prepend(92);
        const ScheduleDocument nearlyFull = documentWith(1, details);
        QCOMPARE(ScheduleSizeEstimate(nearlyFull), 29990);
        EditingWindow w(nearlyFull);
        w.select(list, 0);
        w.editors.mediaAnswers = {NewMedia};
        w.editors.advanceAnswers = {NewPeriod};
        press(w.list(list), key);
        QCOMPARE(w.dialogs.messages(), QStringList{u"Too many schedules!!"_s});
        QCOMPARE(w.editors.modes, QList<EditMode>());
        QCOMPARE(w.document(), nearlyFull);
    }
};

QTEST_MAIN(TestKeyboardEditing)
#include "tst_keyboardediting.moc"

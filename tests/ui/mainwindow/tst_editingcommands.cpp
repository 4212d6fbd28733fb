// The fifteen list commands of the main window with scripted entry editors,
// driven by the mouse and the keys: what each changes, what is selected
// afterwards, which commands are enabled, and the limits; every case also
// checks that each row is the row format of its entry. Then the details that
// follow the selected period, however it was selected.

#include "EditingCommands.h"
#include "EditingTestSupport.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

using enum ScheduleList;

struct Case {
    ScheduleList list;
    int rows, row; // row: the one clicked, -1 none
    // By their buttons: A Add, M Modify (lower case: the editor is cancelled;
    // "=": OK with nothing changed), R Remove, U Move Up, D Move Down; on the
    // row: E Return, K keypad Enter, 2 double-click, X Delete.
    QString commands;
    QList<int> order; // as for expected()
    int selectedAfter;
    QString buttons; // as EditingWindow::enabled() gives them
    bool modified;
};

// A style that asks for activation on a single click, as some desktops do: a
// click must still only select.
class SingleClickActivationStyle final : public QProxyStyle {
public:
    SingleClickActivationStyle()
        : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_ItemView_ActivateItemOnSingleClick
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

class TestEditingCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(new SingleClickActivationStyle); }

    void commands_data() {
        QTest::addColumn<Case>("c");
        for (ScheduleList l : {Basic, Advance, Detail}) {
            const auto row = [](const char* name, const Case& c) {
                QTest::addRow("%s %s", qPrintable(ListNames[int(c.list)]), name) << c;
            };
            // Remove leaves the selection in place, or on the new last row.
            row("remove middle", {l, 3, 1, u"R"_s, {0, 2}, 1, u"AMRUD"_s, true});
            row("remove last", {l, 2, 1, u"R"_s, {0}, 0, u"AMR"_s, true});
            row("remove only", {l, 1, 0, u"R"_s, {}, -1, u"A"_s, true});
            row("up on row 0", {l, 5, 0, u"U"_s, {0, 1, 2, 3, 4}, 0, u"AMRUD"_s, false});
            row("up and back", {l, 5, 3, u"UD"_s, {0, 1, 2, 3, 4}, 3, u"AMRUD"_s, true});
            row("moves, one row", {l, 1, 0, u"UD"_s, {0}, 0, u"AMR"_s, false});
            // Add appends at the end whatever is selected.
            row("add, middle selected", {l, 3, 1, u"A"_s, {0, 1, 2, -1}, 3, u"AMRUD"_s, true});
            row("add to empty", {l, 0, -1, u"A"_s, {-1}, 0, u"AMR"_s, true});
            row("add cancelled", {l, 3, 1, u"a"_s, {0, 1, 2}, 1, u"AMRUD"_s, false});
            row("modify row 2", {l, 3, 2, u"M"_s, {0, 1, -1}, 2, u"AMRUD"_s, true});
            row("modify cancelled", {l, 3, 1, u"m"_s, {0, 1, 2}, 1, u"AMRUD"_s, false});
            row("modify, OK unchanged", {l, 3, 1, u"="_s, {0, 1, 2}, 1, u"AMRUD"_s, false});
            row("Return on row 2", {l, 3, 2, u"E"_s, {0, 1, -1}, 2, u"AMRUD"_s, true});
            row("Enter on row 0", {l, 3, 0, u"K"_s, {-1, 1, 2}, 0, u"AMRUD"_s, true});
            row("double-click on row 1", {l, 3, 1, u"2"_s, {0, -1, 2}, 1, u"AMRUD"_s, true});
            row("Delete on row 1", {l, 3, 1, u"X"_s, {0, 2}, 1, u"AMRUD"_s, true});
        }
    }

    void commands() {
        QFETCH(Case, c);
        const ScheduleDocument before = withRows(c.list, c.rows);
        EditingWindow w(before);
        if (c.list == Detail)
            w.select(Advance, 1);
        if (c.row >= 0)
            w.select(c.list, c.row);
        w.list(c.list)->setFocus();
        const QStringList rowsBefore = w.rows(c.list);
        if (c.commands.isUpper()) { // lower case: the editor is cancelled
            w.editors.mediaAnswers = {NewMedia};
            w.editors.advanceAnswers = {NewPeriod};
        }
        w.editors.okUnchanged = c.commands == u"="_s;
        const EditMode add = c.list == Detail ? EditMode::AddDetail : EditMode::Add;
        const EditMode modify = c.list == Detail ? EditMode::ModifyDetail : EditMode::Modify;
        QList<EditMode> modes;
        for (const QChar letter : c.commands) {
            const char16_t command = letter.toUpper().unicode();
            if (command == u'A' || QStringView(u"M=EK2").contains(command))
                modes.append(command == u'A' ? add : modify);
            const qsizetype button =
                QStringView(u"AMRUD").indexOf(command == u'=' ? u'M' : command);
            if (button >= 0)
                w.click(c.list, ListCommands[button]);
            else if (command == u'2')
                DoubleClickRow(w.list(c.list), c.row);
            else
                QTest::keyClick(w.list(c.list), command == u'E'   ? Qt::Key_Return
                                                : command == u'K' ? Qt::Key_Enter
                                                                  : Qt::Key_Delete);
            // With one row both moves are disabled; the commands must still do nothing.
            if (c.rows == 1 && (command == u'U' || command == u'D'))
                (w.window->editing().*
                 (command == u'U' ? &EditingCommands::moveUp : &EditingCommands::moveDown))(c.list);
        }
        QCOMPARE(w.editors.modes, modes);
        if (modes == QList{modify}) // the editor shows the entry of the row the user chose
            QCOMPARE(w.editors.shown, QStringList{rowsBefore[c.row]});
        QCOMPARE(w.document(), expected(before, c.list, c.order));
        QCOMPARE(w.selected(c.list), c.selectedAfter);
        QCOMPARE(w.enabled(c.list), c.buttons);
        QCOMPARE(w.isModified(), c.modified);
        QCOMPARE(w.window->isWindowModified(), c.modified);
        QCOMPARE(w.listsMismatch(), QString());
    }

    // However a period comes to be selected, the detail list shows its
    // details with the first one selected, the detail commands fit them, and
    // one period stays selected. A single click never opens an editor.
    void detailsFollowTheSelectedPeriod_data() {
        // Steps on the advance list, each "<input><row>=<row then selected>":
        // c click, C Ctrl+click, d<from><to> drag (no click on a row), k key
        // (0 Down, 1 End, 2 Up, 3 Home), b click below the rows, i selected
        // in code.
        QTest::addColumn<QString>("steps");
        QTest::newRow("clicks") << u"c2=2 c1=1 c3=3 c0=0"_s;
        QTest::newRow("drags over rows") << u"d03=3 d31=1"_s;
        QTest::newRow("keys") << u"k0=1 k1=3 k2=2 k3=0"_s;
        QTest::newRow("Ctrl+click") << u"C2=2 C2=2 C3=3"_s;
        QTest::newRow("click below the rows") << u"c3=3 b0=3"_s;
        QTest::newRow("selected in code") << u"i2=2 i1=1"_s;
    }

    void detailsFollowTheSelectedPeriod() {
        QFETCH(QString, steps);
        const QList<int> detailCounts{2, 0, 3, 1};
        EditingWindow w(documentWith(0, detailCounts));
        QListView* list = w.list(Advance);
        list->setFocus();
        for (const QString& step : steps.split(u' ')) {
            const int row = step[1].digitValue(), shown = step.back().digitValue();
            switch (step[0].unicode()) {
            case u'c':
            case u'C':
                ClickRow(list, row, step[0] == u'C' ? Qt::ControlModifier : Qt::NoModifier);
                break;
            case u'd':
                DragOverRows(list, row, step[2].digitValue());
                break;
            case u'k':
                QTest::keyClick(list,
                                QList{Qt::Key_Down, Qt::Key_End, Qt::Key_Up, Qt::Key_Home}[row]);
                break;
            case u'b':
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, BelowTheRows(list));
                break;
            case u'i':
                list->selectionModel()->select(list->model()->index(row, 0),
                                               QItemSelectionModel::ClearAndSelect);
                break;
            }
            QCOMPARE(w.selected(Advance), shown);
            QCOMPARE(w.listsMismatch(), QString());
            const int details = detailCounts[shown];
            QCOMPARE(w.selected(Detail), details > 0 ? 0 : -1);
            QCOMPARE(w.enabled(Detail), u"AMRUD"_s.left(QList{1, 3, 5}[qMin(details, 2)]));
        }
        QCOMPARE(w.editors.modes, QList<EditMode>());
    }

    void limits_data() {
        QTest::addColumn<ScheduleList>("list");
        QTest::addColumn<int>("limit");
        QTest::newRow("basic") << Basic << 250;
        QTest::newRow("advance") << Advance << 250;
        QTest::newRow("detail") << Detail << 100;
    }

    void limits() {
        QFETCH(ScheduleList, list);
        QFETCH(int, limit);
        EditingWindow w(withRows(list, limit - 1));
        w.select(Advance, list == Detail ? 1 : 0);
        w.editors.mediaAnswers = {NewMedia};
        w.editors.advanceAnswers = {NewPeriod};
        w.click(list, u"AddCmd"_s);
        // At the limit Add stays enabled and refuses before any editor opens;
        // so does Duplicate.
        w.click(list, u"AddCmd"_s);
        w.select(list, 0);
        QTest::keySequence(w.list(list), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(w.editors.modes.size(), 1);
        QCOMPARE(w.dialogs.messages(), QStringList(2, u"Too many basic schedules!!"_s));
        QCOMPARE(w.rows(list).size(), limit);
    }
};

QTEST_MAIN(TestEditingCommands)
#include "tst_editingcommands.moc"

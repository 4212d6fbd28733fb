// The fifteen list commands of the main window with scripted entry editors,
// driven by the mouse and the keys: what each changes, what is selected
// afterwards, which commands are enabled, and the limits; every case also
// checks that each row is the row format of its entry. Then the details that
// follow the selected period, however it was selected. Last, a schedule built
// with the commands, saved and read back by mvstool.

#include "EditingTestSupport.h"
#include "EditingCommands.h"

#include <QApplication>
#include <QProcess>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {

using enum ScheduleList;
const MediaEntry NewMedia = Media("NEWCLIP", "MPG", 7, 3);
const AdvancePeriod NewPeriod{6, 5, 1, 6, 0, 0, 6, 12, 31, 21, 15, 30, 0}; // year minus 2000

// count entries named prefix0, prefix1, ... with varied values.
QList<MediaEntry> Numbered(const QByteArray& prefix, int count) {
    QList<MediaEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append(Media(prefix + QByteArray::number(i), "MP3", i % 101, i % 18));
    return entries;
}

// A document whose list has rows entries. Each advance entry has its own
// details, which must move and go with it; the detail rows belong to advance
// entry 1, so a command working on the wrong owner shows.
ScheduleDocument withRows(ScheduleList list, int rows) {
    QList<AdvanceEntry> advance;
    for (int k = 0; k < (list == Advance ? rows : 2); ++k) {
        // Distinct start dates give distinct rows; nothing here checks the period.
        const AdvancePeriod period{.startYear = quint8(k % 100), .startDay = quint8(k % 28 + 1)};
        const int details = list == Detail && k == 1 ? rows : 1;
        advance.append({period, Numbered("D" + QByteArray::number(k) + "_", details)});
    }
    return ScheduleDocument(Numbered("B", list == Basic ? rows : 2), advance);
}

// The document with the list rebuilt: order[i] is the old row now at i, -1
// the editor's answer (an edited advance entry keeps its details).
ScheduleDocument expected(const ScheduleDocument& before, ScheduleList list,
                          const QList<int>& order) {
    QList<MediaEntry> basic = before.basicEntries();
    QList<AdvanceEntry> advance = before.advanceEntries();
    if (list == Advance) {
        const QList<AdvanceEntry> old = std::exchange(advance, {});
        for (qsizetype i = 0; i < order.size(); ++i)
            advance.append(order[i] >= 0
                               ? old[order[i]]
                               : AdvanceEntry{NewPeriod, i < old.size() ? old[i].details
                                                                        : QList<MediaEntry>()});
    } else {
        QList<MediaEntry>& media = list == Basic ? basic : advance[1].details;
        const QList<MediaEntry> old = std::exchange(media, {});
        for (int i : order)
            media.append(i >= 0 ? old[i] : NewMedia);
    }
    return ScheduleDocument(basic, advance);
}

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
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// What a person does to the advance list, and the row then shown selected.
enum class Input { Press, Release, Click, CtrlClick, Drag, Key, CtrlSpace, ClickBelow, InCode };
struct Step {
    Input input;
    int row; // the row pressed, clicked or selected; a drag's first row; a key
    int shown;
    int to = -1; // a drag's last row
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
            row("up on row 3", {l, 5, 3, u"U"_s, {0, 1, 3, 2, 4}, 2, u"AMRUD"_s, true});
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
            if (command == u'A')
                modes.append(add);
            else if (QStringView(u"M=EK2").contains(command))
                modes.append(modify);
            const qsizetype button = QStringView(u"AMRUD").indexOf(command);
            if (button >= 0)
                w.click(c.list, ListCommands[button]);
            else if (command == u'=')
                w.click(c.list, u"ModifyCmd"_s);
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
        QTest::addColumn<QList<Step>>("steps");
        using enum Input;
        QTest::newRow("press, then release") << QList<Step>{{Press, 2, 2}, {Release, 2, 2}};
        QTest::newRow("clicks") << QList<Step>{
            {Click, 2, 2}, {Click, 1, 1}, {Click, 3, 3}, {Click, 0, 0}};
        QTest::newRow("drags over rows") << QList<Step>{{Drag, 0, 3, 3}, {Drag, 3, 1, 1}};
        QTest::newRow("keys") << QList<Step>{{Key, Qt::Key_Down, 1},
                                             {Key, Qt::Key_End, 3},
                                             {Key, Qt::Key_Up, 2},
                                             {Key, Qt::Key_Home, 0}};
        QTest::newRow("Ctrl+click")
            << QList<Step>{{CtrlClick, 2, 2}, {CtrlClick, 2, 2}, {CtrlClick, 3, 3}};
        QTest::newRow("Ctrl+Space") << QList<Step>{{Click, 2, 2}, {CtrlSpace, 0, 2}};
        QTest::newRow("click below the rows") << QList<Step>{{Click, 3, 3}, {ClickBelow, 0, 3}};
        QTest::newRow("selected in code") << QList<Step>{{InCode, 2, 2}, {InCode, 1, 1}};
    }

    void detailsFollowTheSelectedPeriod() {
        QFETCH(QList<Step>, steps);
        // Four periods with 2, 0, 3 and 1 details, all named apart.
        QList<AdvanceEntry> periods;
        for (int k = 0; k < 4; ++k)
            periods.append({AdvancePeriod{.startDay = quint8(k + 1)},
                            Numbered("P" + QByteArray::number(k) + "_", QList{2, 0, 3, 1}[k])});
        EditingWindow w(ScheduleDocument({}, periods));
        QListView* list = w.list(Advance);
        list->setFocus();
        for (const Step& step : steps) {
            switch (step.input) {
            case Input::Press:
                QTest::mousePress(list->viewport(), Qt::LeftButton, {}, RowCentre(list, step.row));
                break;
            case Input::Release:
                QTest::mouseRelease(list->viewport(), Qt::LeftButton, {},
                                    RowCentre(list, step.row));
                break;
            case Input::Click:
                ClickRow(list, step.row);
                break;
            case Input::CtrlClick:
                ClickRow(list, step.row, Qt::ControlModifier);
                break;
            case Input::Drag:
                DragOverRows(list, step.row, step.to);
                break;
            case Input::Key:
                QTest::keyClick(list, Qt::Key(step.row));
                break;
            case Input::CtrlSpace:
                QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
                break;
            case Input::ClickBelow:
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, BelowTheRows(list));
                break;
            case Input::InCode:
                list->selectionModel()->select(list->model()->index(step.row, 0),
                                               QItemSelectionModel::ClearAndSelect);
                break;
            }
            QCOMPARE(w.selected(Advance), step.shown);
            QCOMPARE(w.listsMismatch(), QString());
            const int details = int(periods[step.shown].detailCount());
            QCOMPARE(w.selected(Detail), details > 0 ? 0 : -1);
            QCOMPARE(w.enabled(Detail), QString(u"AMRUD"_s)
                                            .left(details == 0   ? 1
                                                  : details == 1 ? 3
                                                                 : 5));
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
        // At the limit Add stays enabled and refuses before any editor opens.
        w.click(list, u"AddCmd"_s);
        QCOMPARE(w.editors.modes.size(), 1);
        QCOMPARE(w.dialogs.messages(), QStringList{u"Too many basic schedules!!"_s});
        QCOMPARE(w.rows(list).size(), limit);
    }

    // A schedule built from nothing, saved with Save As and read back by the
    // real mvstool: its dump must describe exactly that schedule.
    void builtScheduleIsWhatMvstoolDumps() {
        const MediaEntry song = Media("SONG", "MP3", 5, 10), clip = Media("CLIP", "", 0),
                         xy = Media("X.Y", "MPEG", 100, 16), open = Media("OPEN", "AVI", 2, 0);
        const AdvancePeriod first{6, 12, 28, 0, 0, 0, 7, 1, 5, 23, 59, 59, 7},
            second{24, 2, 29, 8, 30, 0, 24, 3, 31, 17, 45, 15, 3};
        EditingWindow w;
        w.editors.mediaAnswers = {song, clip, xy, open};
        w.editors.advanceAnswers = {first, second};
        for (ScheduleList list : {Basic, Basic, Advance, Detail, Advance, Detail})
            w.click(list, u"AddCmd"_s);
        const QString path = w.folder.path() + u"/built.mvs"_s;
        w.dialogs.answerFile(path);
        w.window->findChild<QPushButton*>(u"SaveAsCmd"_s)->click();

        QProcess mvstool;
        mvstool.start(QStringLiteral(MVSTOOL_PATH), {u"dump"_s, path});
        QVERIFY(mvstool.waitForFinished(30000));
        QCOMPARE(mvstool.exitCode(), 0);
        const JsonScheduleResult dumped = ScheduleFromJson(mvstool.readAllStandardOutput());
        QVERIFY2(dumped.ok, qPrintable(dumped.error));
        QCOMPARE(dumped.document,
                 ScheduleDocument({song, clip}, {{first, {xy}}, {second, {open}}}));
    }
};

QTEST_MAIN(TestEditingCommands)
#include "tst_editingcommands.moc"

// The fifteen list commands of the main window with scripted entry editors:
// what each changes, what is selected afterwards, which commands are enabled,
// and the limits; every case also checks that each row is the row format of
// its entry. Last, a schedule built with them, saved and read back by mvstool.

#include "EditingTestSupport.h"
#include "editing/EditingCommands.h"

#include <QProcess>

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
    int rows, row; // row: the one selected, -1 none
    // By their buttons: A Add, M Modify (lower case: the editor is cancelled),
    // R Remove, U Move Up, D Move Down; by keys on the row: E Enter, X Delete.
    QString commands;
    QList<int> order; // as for expected()
    int selectedAfter;
    QString buttons; // as EditingWindow::enabled() gives them
    bool modified;
};

} // namespace

class TestEditingCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
            row("modify, none selected", {l, 3, -1, u"M"_s, {-1, 1, 2}, 0, u"AMRUD"_s, true});
            row("modify cancelled", {l, 3, 1, u"m"_s, {0, 1, 2}, 1, u"AMRUD"_s, false});
            row("Enter on row 2", {l, 3, 2, u"E"_s, {0, 1, -1}, 2, u"AMRUD"_s, true});
            row("Delete on row 1", {l, 3, 1, u"X"_s, {0, 2}, 1, u"AMRUD"_s, true});
        }
    }

    void commands() {
        QFETCH(Case, c);
        const ScheduleDocument before = withRows(c.list, c.rows);
        EditingWindow w(before);
        w.window->show(); // the keys need the active window
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        w.select(Advance, c.list == Detail ? 1 : 0);
        w.select(c.list, c.row);
        w.list(c.list)->setFocus();
        const QStringList rowsBefore = w.rows(c.list);
        if (c.commands.isUpper()) { // lower case: the editor is cancelled
            w.editors.mediaAnswers = {NewMedia};
            w.editors.advanceAnswers = {NewPeriod};
        }
        QList<EditMode> modes;
        for (const QChar letter : c.commands) {
            const qsizetype index = QStringView(u"AMRUDEX").indexOf(letter.toUpper());
            if (index < 2 || index == 5) // Add 1, Modify 2; for details 3, 4
                modes.append(EditMode((index == 0 ? 1 : 2) + (c.list == Detail ? 2 : 0)));
            if (index < 5)
                w.click(c.list, ListCommands[index]);
            else
                QTest::keyClick(w.list(c.list), index == 5 ? Qt::Key_Return : Qt::Key_Delete);
            // With one row both moves are disabled; the commands must still do nothing.
            if (c.rows == 1 && (index == 3 || index == 4))
                (w.window->editing().*
                 (index == 3 ? &EditingCommands::moveUp : &EditingCommands::moveDown))(c.list);
        }
        QCOMPARE(w.editors.modes, modes);
        if (c.commands == u"M"_s) // the editor shows the entry of the edited row
            QCOMPARE(w.editors.shown, QStringList{rowsBefore[c.selectedAfter]});
        QCOMPARE(w.document(), expected(before, c.list, c.order));
        QCOMPARE(w.selected(c.list), c.selectedAfter);
        QCOMPARE(w.enabled(c.list), c.buttons);
        QCOMPARE(w.isModified(), c.modified);
        QCOMPARE(w.listsMismatch(), QString());
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

    void detailCommandsFollowTheSelectedAdvanceEntry() {
        EditingWindow w(ScheduleDocument({}, {{NewPeriod, {}}, {NewPeriod, Numbered("D", 2)}}));
        QCOMPARE(w.enabled(Detail), u"A"_s);
        w.select(Advance, 1);
        QCOMPARE(w.enabled(Detail), u"AMRUD"_s);
        w.select(Advance, 0);
        QCOMPARE(w.enabled(Detail), u"A"_s);
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

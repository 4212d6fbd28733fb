// The editor without a window: start-up and exit with SystemInfo.txt, and
// which list commands are enabled.

#include "CurrentTexts.h"
#include "ListSelection.h"
#include "ScheduleEditor.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The lists of a window that is not there: only the advance row chosen counts.
struct ChosenRows final : ListSelection {
    int advanceRow = -1;
    int selectedRow(ScheduleList list) const override {
        return list == ScheduleList::Advance ? advanceRow : -1;
    }
    void selectRow(ScheduleList list, int row) override {
        if (list == ScheduleList::Advance)
            advanceRow = row;
    }
};

QByteArray line(QByteArrayView value) {
    return '"' + value.toByteArray() + "\"\r\n";
}

// The remembered schedule is %OTHER%SPRING.mvs; Open starts there too, as it
// does after the schedule is opened.
QByteArray sixLines() {
    return line("%OTHER%") + line("/s/") + line("%OTHER%") + line("SPRING.mvs") + line("/m/") +
           "\"/\",\"/f/\"\r\n";
}

const QString InfoName = QString::fromUtf16(SystemInfoFileName);

} // namespace

class TestScheduleEditor final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { LoadEnglishTexts(); } // the text table is process-wide

    // Start-up says what went wrong (in English), opens the remembered
    // schedule when it can, and takes the language; exit writes what was
    // read back byte for byte, but never over a file it could not read.
    void startAndExit_data() {
        QTest::addColumn<QByteArray>("settings"); // null: none; "DIR": a folder in the way
        QTest::addColumn<int>("scheduleBytes");   // of the sample kept in SPRING.mvs; -1: all
        QTest::addColumn<QString>("message");     // a part of the one shown; empty: none
        QTest::addColumn<quint16>("language");
        const QString damaged = EnglishTexts().text(TextSlot::SystemInformationError);
        QTest::newRow("first start") << QByteArray() << -1 << QString() << quint16(1);
        QTest::newRow("remembered, second language")
            << sixLines() + line("2") << -1 << QString() << quint16(2);
        QTest::newRow("no language line") << sixLines() << -1 << QString() << quint16(1);
        QTest::newRow("remembered schedule damaged")
            << sixLines() + line("1") << 100 << u"%OTHER%SPRING.mvs"_s << quint16(1);
        QTest::newRow("three lines")
            << line("/o/") + line("/s/") + line("/c/") << -1 << damaged << quint16(1);
        QTest::newRow("unreadable")
            << QByteArray("DIR") << -1 << damaged + u"\nThe settings"_s << quint16(1);
    }

    void startAndExit() {
        QFETCH(QByteArray, settings);
        QFETCH(int, scheduleBytes);
        QFETCH(QString, message);
        QFETCH(quint16, language);
        TestFolder app;
        TestFolder other;
        const QString schedule = other.file(u"SPRING.mvs"_s);
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(scheduleBytes < 0 || WriteBytes(schedule, FileBytes(schedule).left(scheduleBytes)));
        settings.replace("%OTHER%", other.path().toUtf8());
        const bool unreadable = settings == "DIR";
        QVERIFY(unreadable ? QDir(app.path()).mkdir(InfoName)
                           : settings.isNull() || WriteBytes(app.file(InfoName), settings));

        ScriptedDialogs dialogs;
        ChosenRows rows;
        ScheduleEditor editor(dialogs, rows, app.path());
        editor.loadSettings();
        editor.openDefaultSchedule();
        QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() ||
                dialogs.messages()[0].contains(message.replace(u"%OTHER%"_s, other.path())));
        const bool loaded = settings.contains("SPRING.mvs") && scheduleBytes < 0;
        QCOMPARE(editor.document().document(), loaded ? SampleDocument() : ScheduleDocument());
        QCOMPARE(editor.context().schedulePath(), loaded ? schedule : app.file(u"morva.mvs"_s));
        QCOMPARE(editor.context().languageSelector, language);
        QCOMPARE(Text(TextSlot::New),
                 (language == 2 ? SecondTexts() : EnglishTexts()).text(TextSlot::New));

        editor.saveSettings();
        QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(QFileInfo(app.file(InfoName)).isDir(), unreadable);
        QVERIFY(unreadable || FileBytes(app.file(InfoName)) == FormatSystemInfo(editor.context()));
        QVERIFY(!settings.endsWith(line("2")) || FileBytes(app.file(InfoName)) == settings);
    }

    // A write that fails half way (here: the file size limit of a child
    // process, which holds for root too) is reported and leaves the old file
    // byte for byte, and no temporary file.
    void failedExitWriteKeepsTheOldFile() {
        TestFolder app;
        const QByteArray old = QByteArray(sixLines() + line("1")).replace("%OTHER%", "/c/");
        QVERIFY(WriteBytes(app.file(InfoName), old));
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
            ScriptedDialogs dialogs;
            ChosenRows rows;
            ScheduleEditor editor(dialogs, rows, app.path());
            editor.loadSettings();
            editor.context().openFolder = QString(400, u'x');
            editor.saveSettings();
            _exit(dialogs.messages().size() == 1 &&
                          dialogs.messages()[0].contains(app.file(InfoName))
                      ? 0
                      : 1);
        }
        int status = 0;
        QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(FileBytes(app.file(InfoName)), old);
        QCOMPARE(FolderEntries(app.path()), QStringList{InfoName});
    }

    // Per list, '1' or '0' for Add, Modify, Remove, Move Up and Move Down.
    void commandAvailability_data() {
        QTest::addColumn<QList<int>>("details"); // of each advance entry
        QTest::addColumn<int>("basicRows");
        QTest::addColumn<int>("chosen"); // the advance row selected
        QTest::addColumn<QString>("enabled");
        // Without an advance entry there is nothing to add details to.
        QTest::newRow("empty") << QList<int>{} << 0 << -1 << u"10000 10000 00000"_s;
        QTest::newRow("advance entry without details")
            << QList<int>{0} << 0 << 0 << u"10000 11100 10000"_s;
        QTest::newRow("two of each") << QList<int>{2, 0} << 2 << 0 << u"11111 11111 11111"_s;
        QTest::newRow("details of another entry")
            << QList<int>{2, 1} << 1 << 1 << u"11100 11111 11100"_s;
    }

    void commandAvailability() {
        QFETCH(QList<int>, details);
        QFETCH(int, basicRows);
        QFETCH(int, chosen);
        QList<AdvanceEntry> advance(details.size());
        for (qsizetype row = 0; row < details.size(); ++row)
            advance[row].details = QList<MediaEntry>(details[row], media("CLIP"));
        ScriptedDialogs dialogs;
        ChosenRows rows;
        rows.advanceRow = chosen;
        ScheduleEditor editor(dialogs, rows, u"/nowhere/"_s);
        editor.document().reset(
            ScheduleDocument(QList<MediaEntry>(basicRows, media("SONG")), advance));

        const CommandAvailability state = editor.commandAvailability();
        QStringList lists;
        for (const ListCommandState& list : {state.basic, state.advance, state.detail}) {
            QString flags;
            for (bool on : {list.add, list.modify, list.remove, list.moveUp, list.moveDown})
                flags += on ? u'1' : u'0';
            lists.append(flags);
        }
        QTEST(lists.join(u' '), "enabled");
    }
};

QTEST_GUILESS_MAIN(TestScheduleEditor)
#include "tst_scheduleeditor.moc"

// The editor without a window: start-up and exit with SystemInfo.txt, New,
// Open and Save As with their dialogs, and which list commands are enabled.

#include "CurrentTexts.h"
#include "ListSelection.h"
#include "ScheduleEditor.h"
#include "ScheduleReader.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;

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

// The editor as the program starts it in appFolder.
struct StartedEditor {
    ScriptedDialogs dialogs;
    ChosenRows rows;
    ScheduleEditor editor;
    explicit StartedEditor(const QString& appFolder, const QString& commandLineFile = QString())
        : editor(dialogs, rows, appFolder) {
        editor.loadSettings();
        editor.openStartSchedule(commandLineFile);
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

// The sample with added basic entries.
ScheduleDocument SampleWith(int added) {
    ScheduleDocument document = SampleDocument();
    for (int entry = 0; entry < added; ++entry)
        document.append(ListAddress::basic(), media("MORE"));
    return document;
}

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

        StartedEditor started(app.path());
        auto& [dialogs, rows, editor] = started;
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
        QCOMPARE(ExitCodeInChild([&] {
                     FillDiskAfter(64);
                     StartedEditor started(app.path());
                     started.editor.context().openFolder = QString(400, u'x');
                     started.editor.saveSettings();
                     const QStringList messages = started.dialogs.messages();
                     return messages.size() == 1 && messages[0].contains(app.file(InfoName)) ? 0
                                                                                             : 1;
                 }),
                 0);
        QCOMPARE(FileBytes(app.file(InfoName)), old);
        QCOMPARE(FolderEntries(app.path()), QStringList{InfoName});
    }

    // The dialogue, step by step: "kind|answer|where the dialog must start",
    // the last two when they matter. A message's answer is a part of its
    // text; a file dialog's a file in the other folder, "-" for Cancel. A
    // cancel or a failure changes nothing: the document, its name, any file.
    void documentCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("added"); // basic entries added to the sample first
        QTest::addColumn<QStringList>("dialogue");
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QString>("current"); // the schedule file afterwards
        QTest::addColumn<QString>("written"); // holds the document as it was; empty: none
        const QString morva = u"%APP%morva.mvs"_s;
        const QString morva1 = u"%APP%morva1.mvs"_s;
        QTest::newRow("Open, unreadable")
            << u"open"_s << 0 << QStringList{u"open|BAD.mvs"_s, u"message| cannot be read: "_s}
            << SampleDocument() << morva << QString();
        // The dialog opens again where the user was, with the completed name.
        QTest::newRow("Open, not found, then found")
            << u"open"_s << 0
            << QStringList{u"open|NOPE|%APP%"_s, u"message|File Not Found!"_s,
                           u"open|SPRING|%OTHER%NOPE.mvs"_s}
            << BasicOnlyDocument() << u"%OTHER%SPRING.mvs"_s << QString();
        QTest::newRow("Open, changed, cancelled")
            << u"open"_s << 1 << QStringList{u"changes|cancel"_s} << SampleWith(1) << morva
            << QString();
        QTest::newRow("New, changed, saved") << u"new"_s << 1 << QStringList{u"changes|save"_s}
                                             << ScheduleDocument() << morva1 << morva;
        QTest::newRow("New, changed, not saved")
            << u"new"_s << 1 << QStringList{u"changes|discard"_s} << ScheduleDocument() << morva1
            << QString();
        // 256 basic entries: more than a schedule file can count.
        QTest::newRow("New, the save fails")
            << u"new"_s << 254 << QStringList{u"changes|save"_s, u"message| could not be saved: "_s}
            << SampleWith(254) << morva << QString();
        // Declining to overwrite asks again from the name chosen.
        QTest::newRow("Save As, overwriting declined, then confirmed")
            << u"save as"_s << 1
            << QStringList{u"save|X|%APP%morva.mvs"_s, u"overwrite|no"_s,
                           u"save|X.mvs|%OTHER%X.mvs"_s, u"overwrite|yes"_s}
            << SampleWith(1) << u"%OTHER%X.mvs"_s << u"%OTHER%X.mvs"_s;
        // A file named without a dialog: handed over by a second start, or
        // picked from the recent files ("file NAME" in the other folder).
        QTest::newRow("named file, opened")
            << u"file SPRING.mvs"_s << 0 << QStringList{} << BasicOnlyDocument()
            << u"%OTHER%SPRING.mvs"_s << QString();
        QTest::newRow("named file, changed, cancelled")
            << u"file SPRING.mvs"_s << 1 << QStringList{u"changes|cancel"_s} << SampleWith(1)
            << morva << QString();
        QTest::newRow("named file, changed, saved first")
            << u"file SPRING.mvs"_s << 1 << QStringList{u"changes|save"_s} << BasicOnlyDocument()
            << u"%OTHER%SPRING.mvs"_s << morva;
        QTest::newRow("named file, gone")
            << u"file GONE.mvs"_s << 0
            << QStringList{u"message|GONE.mvs cannot be read: No such file"_s} << SampleDocument()
            << morva << QString();
        QTest::newRow("named file, damaged")
            << u"file BAD.mvs"_s << 1
            << QStringList{u"changes|discard"_s, u"message|BAD.mvs cannot be read: "_s}
            << SampleWith(1) << morva << QString();
    }

    void documentCommands() {
        QFETCH(QString, command);
        QFETCH(int, added);
        QFETCH(QStringList, dialogue);
        QFETCH(QString, current);
        QFETCH(QString, written);
        TestFolder app;
        TestFolder other;
        const auto place = [&app, &other](QString path) {
            return path.replace(u"%APP%"_s, app.path()).replace(u"%OTHER%"_s, other.path());
        };
        QVERIFY(WriteSchedule(app.path(), u"morva.mvs"_s, SampleDocument()));
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, BasicOnlyDocument()));
        QVERIFY(WriteSchedule(other.path(), u"X.mvs"_s, BasicOnlyDocument()));
        QVERIFY(WriteBytes(other.file(u"BAD.mvs"_s), "\"not\",\"a schedule\"\r\n"));
        const QStringList files{app.file(u"morva.mvs"_s), other.file(u"X.mvs"_s)};
        const QByteArrayList old{FileBytes(files[0]), FileBytes(files[1])};
        StartedEditor started(app.path());
        auto& [dialogs, rows, editor] = started;
        for (int entry = 0; entry < added; ++entry)
            editor.document().append(ListAddress::basic(), media("MORE"));
        const ScheduleDocument before = editor.document().document();
        for (const QString& step : dialogue) {
            const QString kind = step.section(u'|', 0, 0);
            const QString answer = step.section(u'|', 1, 1);
            if (kind == u"changes")
                dialogs.answerSaveChanges(answer == u"save"      ? SaveChangesAnswer::Save
                                          : answer == u"discard" ? SaveChangesAnswer::Discard
                                                                 : SaveChangesAnswer::Cancel);
            else if (kind == u"overwrite")
                dialogs.answerYesNo(answer == u"yes");
            else if (kind != u"message")
                dialogs.answerFile(answer == u"-" ? std::nullopt
                                                  : std::optional(other.file(answer)));
        }
        if (command == u"new")
            editor.newSchedule();
        else if (command == u"open")
            editor.openSchedule();
        else if (command.startsWith(u"file "_s))
            editor.openScheduleFile(other.file(command.mid(5)));
        else
            editor.saveScheduleAs();

        const QStringList kindNames{u"message"_s, u"untitled"_s, u"overwrite"_s, u"ok"_s,
                                    u"changes"_s, u"open"_s,     u"save"_s};
        QCOMPARE(dialogs.calls().size(), dialogue.size());
        for (qsizetype i = 0; i < dialogue.size(); ++i) {
            const ScriptedDialogs::Call& call = dialogs.calls()[i];
            QCOMPARE(kindNames[int(call.kind)], dialogue[i].section(u'|', 0, 0));
            QVERIFY(call.kind != Kind::Message ||
                    call.text.contains(dialogue[i].section(u'|', 1, 1)));
            if (const QString where = dialogue[i].section(u'|', 2, 2); !where.isEmpty())
                QCOMPARE(call.folder + call.fileName, place(where));
        }
        QVERIFY(dialogs.allAnswersUsed());
        QTEST(editor.document().document(), "document");
        QCOMPARE(editor.context().schedulePath(), place(current));
        for (qsizetype i = 0; i < files.size(); ++i)
            QVERIFY(files[i] == place(written) ? ReadBack(files[i]) == before
                                               : FileBytes(files[i]) == old[i]);
    }

    // A file named on the command line is opened instead of the remembered
    // one; one that cannot be read is reported, and the remembered one opens.
    // What was opened heads the recent files.
    void commandLineFile_data() {
        QTest::addColumn<QString>("given"); // in the other folder; empty: none
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("current");
        QTest::newRow("none") << QString() << QString() << u"SPRING.mvs"_s;
        QTest::newRow("a schedule") << u"X.mvs"_s << QString() << u"X.mvs"_s;
        QTest::newRow("missing") << u"NOPE.mvs"_s << u"NOPE.mvs cannot be read: No such file"_s
                                 << u"SPRING.mvs"_s;
        QTest::newRow("not a schedule")
            << u"BAD.mvs"_s << u"BAD.mvs cannot be read: "_s << u"SPRING.mvs"_s;
    }
    void commandLineFile() {
        QFETCH(QString, given);
        QFETCH(QString, message);
        QFETCH(QString, current);
        TestFolder app;
        TestFolder other;
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(WriteSchedule(other.path(), u"X.mvs"_s, BasicOnlyDocument()));
        QVERIFY(WriteBytes(other.file(u"BAD.mvs"_s), "not a schedule"));
        QVERIFY(
            WriteBytes(app.file(InfoName), sixLines().replace("%OTHER%", other.path().toUtf8())));
        StartedEditor started(app.path(), given.isEmpty() ? QString() : other.file(given));
        auto& [dialogs, rows, editor] = started;
        QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || dialogs.messages()[0].contains(message));
        QCOMPARE(editor.context().schedulePath(), other.file(current));
        QCOMPARE(editor.context().openFolder, other.path());
        QCOMPARE(editor.recentFiles().paths(), QStringList{other.file(current)});
    }

    // Where SystemInfo.txt lives: beside a portable copy that may write
    // there; otherwise, and always when installed (even for root), in the
    // user's data folder.
    void appFolder_data() {
        QTest::addColumn<QString>("executableFolder"); // in the test folder
        QTest::addColumn<bool>("ownFolder");
        QTest::newRow("portable copy") << u"portable/"_s << true;
        QTest::newRow("installed") << u"usr/bin/"_s << false;
        QTest::newRow("cannot write there") << u"file/bin/"_s << false;
    }
    void appFolder() {
        QFETCH(QString, executableFolder);
        QFETCH(bool, ownFolder);
        QStandardPaths::setTestModeEnabled(true);
        TestFolder dir;
        for (const QString& folder :
             {u"portable"_s, u"usr/bin"_s, u"usr/share/morva-schedule-generator"_s})
            QVERIFY(QDir().mkpath(dir.file(folder)));
        QVERIFY(WriteBytes(dir.file(u"file"_s), "in the way"));
        const QString dataFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/';
        QCOMPARE(ChooseAppFolder(dir.file(executableFolder)),
                 ownFolder ? dir.file(executableFolder) : dataFolder);
        QVERIFY(QFileInfo(dataFolder).isDir() || ownFolder);
        QCOMPARE(FolderEntries(dir.file(u"usr/bin"_s)), QStringList());
    }

    // The recent files: newest first, each file once, at most eight, kept for
    // the next run. Steps: "+path" opened or saved, "-path" gone, "clear",
    // "reload" as the next run does; "raw TEXT" writes the settings by hand.
    void recentFiles_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("newest first, each once")
            << QStringList{u"+/s/a.mvs"_s, u"+/s/b.mvs"_s, u"+/s/a.mvs"_s}
            << QStringList{u"/s/a.mvs"_s, u"/s/b.mvs"_s};
        QStringList ten;
        for (int n = 1; n <= 10; ++n)
            ten.append(u"+/s/%1.mvs"_s.arg(n));
        QTest::newRow("at most eight")
            << ten + QStringList{u"reload"_s}
            << QStringList{u"/s/10.mvs"_s, u"/s/9.mvs"_s, u"/s/8.mvs"_s, u"/s/7.mvs"_s,
                           u"/s/6.mvs"_s,  u"/s/5.mvs"_s, u"/s/4.mvs"_s, u"/s/3.mvs"_s};
        QTest::newRow("one spelling per file")
            << QStringList{u"+/s/x/../a.mvs"_s, u"+/s//a.mvs"_s} << QStringList{u"/s/a.mvs"_s};
        QTest::newRow("kept for the next run")
            << QStringList{u"+/s/a.mvs"_s, u"+/s/b.mvs"_s, u"reload"_s}
            << QStringList{u"/s/b.mvs"_s, u"/s/a.mvs"_s};
        QTest::newRow("removed, and the removal kept")
            << QStringList{u"+/s/a.mvs"_s, u"+/s/b.mvs"_s, u"-/s/a.mvs"_s, u"reload"_s}
            << QStringList{u"/s/b.mvs"_s};
        QTest::newRow("cleared") << QStringList{u"+/s/a.mvs"_s, u"clear"_s, u"reload"_s}
                                 << QStringList{};
        QTest::newRow("edited by hand: repeats and empty values dropped")
            << QStringList{u"raw [recentFiles]\npaths=/s/a.mvs, /s/a.mvs, , /s/b.mvs\n"_s,
                           u"reload"_s}
            << QStringList{u"/s/a.mvs"_s, u"/s/b.mvs"_s};
        QTest::newRow("damaged settings: an empty list")
            << QStringList{u"raw \x01\x02 no settings"_s, u"reload"_s} << QStringList{};
    }
    void recentFiles() {
        QFETCH(QStringList, steps);
        TestFolder app;
        const QString settings = app.file(u"MorvaEditor.ini"_s);
        RecentFiles recent;
        recent.load(settings);
        for (const QString& step : steps) {
            if (step.startsWith(u'+'))
                recent.add(step.mid(1));
            else if (step.startsWith(u'-'))
                recent.remove(step.mid(1));
            else if (step == u"clear")
                recent.clear();
            else if (step == u"reload")
                recent.load(settings);
            else
                QVERIFY(WriteBytes(settings, step.mid(4).toUtf8()));
        }
        QTEST(recent.paths(), "paths");
    }

    // The checks before saving speak the language in use; neither Save nor
    // Save As writes a document they refuse, nor asks for a name.
    void refusedSaveSpeaksTheCurrentLanguage() {
        TestFolder app;
        StartedEditor started(app.path());
        started.editor.selectLanguage(SecondLanguageSelector);
        started.editor.saveSchedule();
        started.editor.saveScheduleAs();
        const TextTable& second = SecondTexts();
        const QString refused =
            second.text(TextSlot::NoAnySchedule) + u"\r\n"_s + second.text(TextSlot::CantSave);
        QCOMPARE(started.dialogs.kinds(), (QList<Kind>{Kind::Message, Kind::Message}));
        QCOMPARE(started.dialogs.messages(), (QStringList{refused, refused}));
        QVERIFY(FolderEntries(app.path()).isEmpty());
    }

    // Per list, '1' or '0' for Add, Modify, Remove, Move Up and Move Down.
    // Before the window lends its entry editors, a list command is a Cancel.
    void listCommandsBeforeEntryEditorsChangeNothing() {
        TestFolder app;
        StartedEditor started(app.path());
        started.editor.editing().add(ScheduleList::Basic);
        QCOMPARE(started.editor.document().document(), ScheduleDocument());
        QVERIFY(!started.editor.document().isModified());
    }

    void commandAvailability_data() {
        QTest::addColumn<QList<int>>("details"); // of each advance entry
        QTest::addColumn<int>("basicRows");
        QTest::addColumn<int>("chosen"); // the advance row selected
        QTest::addColumn<QString>("enabled");
        // Without an advance entry there is nothing to add details to.
        QTest::newRow("empty") << QList<int>{} << 0 << -1 << u"10000 10000 00000"_s;
        QTest::newRow("advance entry without details")
            << QList<int>{0} << 0 << 0 << u"10000 11100 10000"_s;
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

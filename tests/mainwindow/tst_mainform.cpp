// The main window, offscreen and driven by scripted dialogs: start-up, the
// lists, the colour bar, the language, the caption, the command buttons and
// menu items, and New, Open, Save, Save As and Exit. A cancelled or failed
// command changes nothing.

#include "ColourBar.h"
#include "CurrentTexts.h"
#include "EditingTestSupport.h"
#include "MainFormTestSupport.h"
#include "ScheduleReader.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;
using Kinds = QList<ScriptedDialogs::Kind>;

class TestMainForm final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every test runs in a program folder whose name holds "[*]": each
    // caption must show it as it is, with the modified mark only at its end.
    // It lies in the other folder, where schedules are opened and saved.
    void init() {
        m_other = std::make_unique<TestFolder>();
        QVERIFY(QDir(m_other->path()).mkdir(u"a[*]b"_s));
        m_app = m_other->file(u"a[*]b/"_s);
    }

    void cleanup() {
        m_window.reset();
        m_dialogs.clear();
        LoadEnglishTexts(); // the text table is process-wide
    }

    void startUp_data() {
        QTest::addColumn<bool>("remembered");   // SystemInfo.txt names other/SPRING.mvs
        QTest::addColumn<int>("scheduleBytes"); // of the sample kept in SPRING.mvs; -1: all
        QTest::newRow("first start") << false << -1;
        QTest::newRow("remembered schedule") << true << -1;
        QTest::newRow("remembered schedule damaged") << true << 100;
    }

    void startUp() {
        QFETCH(bool, remembered);
        QFETCH(int, scheduleBytes);
        const QString schedule = m_other->file(u"SPRING.mvs"_s);
        QVERIFY(WriteSchedule(m_other->path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(scheduleBytes < 0 || WriteBytes(schedule, FileBytes(schedule).left(scheduleBytes)));
        QVERIFY(!remembered ||
                WriteSystemInfoFile(m_app, m_app, m_app, m_other->path(), u"SPRING.mvs"_s));
        start();

        const bool loaded = remembered && scheduleBytes < 0;
        QCOMPARE(ShownCaption(*m_window),
                 ExpectedCaption(loaded ? schedule : m_app + u"morva.mvs"_s));
        QCOMPARE(EnabledListButtons(*m_window).size(), loaded ? 15 : 2);
        QCOMPARE(rows(u"DetailList"_s),
                 loaded ? MediaRows(SampleDocument().advanceEntries()[0].details) : QStringList());
    }

    // The bar runs: each step every bar takes the colour of the bar to its
    // left, and eight steps bring the start back.
    void colourBarRunsRightAndWraps() {
        start();
        ColourBar* bar = m_window->colourBar();
        const auto colours = ColourBar::startColours();
        QVERIFY(bar->keepTimer()->isActive());
        bar->KeepTimer_Timer();
        for (std::size_t i = 0; i < colours.size(); ++i)
            QCOMPARE(bar->colours()[i], colours[(i + 1) % colours.size()]);
        for (int step = 1; step < 8; ++step)
            bar->KeepTimer_Timer();
        QCOMPARE(bar->colours(), colours);
    }

    // The menu items, the commands and their buttons, the headings.
    void languageSwitchesAtOnceAndIsRemembered() {
        start();
        m_window->findChild<QAction*>(u"subSecondLanguage"_s)->trigger();
        const TextTable& second = SecondTexts();
        const auto shown = [this](const QString& name) {
            const QObject* control = m_window->findChild<QObject*>(name);
            const auto* action = qobject_cast<const QAction*>(control);
            return action ? action->text() : qobject_cast<const QPushButton*>(control)->text();
        };
        for (const auto& [name, slot] :
             {std::pair{u"subSave"_s, TextSlot::Save}, std::pair{u"SaveCmd"_s, TextSlot::Save},
              std::pair{u"DetailMoveUpAction"_s, TextSlot::MoveUp},
              std::pair{u"DetailMoveUpCmd"_s, TextSlot::MoveUp},
              std::pair{u"BasicVolumeCmd"_s, TextSlot::Volume}})
            QCOMPARE(shown(name), second.text(slot));
        QCOMPARE(ShownCaption(*m_window),
                 second.text(TextSlot::ProgramTitle) + u" - "_s + m_app + u"morva.mvs"_s);
        // The checks before saving speak it too; neither Save nor Save As
        // writes a document they refuse, nor asks for a name.
        m_window->SaveCmd_Click();
        m_window->SaveAsCmd_Click();
        const QString refused =
            second.text(TextSlot::NoAnySchedule) + u"\r\n"_s + second.text(TextSlot::CantSave);
        QCOMPARE(m_dialogs.messages(), (QStringList{refused, refused}));
        QCOMPARE(m_dialogs.calls().size(), 2);
        QVERIFY(FolderEntries(m_app).isEmpty());
        QVERIFY(m_window->close());
        LoadEnglishTexts();
        start();
        QCOMPARE(m_window->findChild<QPushButton*>(u"NewCmd"_s)->text(),
                 second.text(TextSlot::New));
    }

    // Each command button shows its command's text and state and triggers
    // it; the File menu holds the same commands as items.
    void buttonsTriggerTheirCommands_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("command");
        for (const QString& name : {u"New"_s, u"Open"_s, u"Save"_s, u"SaveAs"_s, u"Exit"_s})
            QTest::newRow(qPrintable(name)) << name + u"Cmd"_s << u"sub"_s + name;
        for (const QString& list : ListNames)
            for (const QString& name :
                 {u"Add"_s, u"Modify"_s, u"Remove"_s, u"MoveUp"_s, u"MoveDown"_s})
                QTest::newRow(qPrintable(list + name))
                    << list + name + u"Cmd"_s << list + name + u"Action"_s;
    }

    void buttonsTriggerTheirCommands() {
        QFETCH(QString, button);
        QFETCH(QString, command);
        EditingWindow editing(SampleDocument());
        const auto* pushButton = editing.window->findChild<QPushButton*>(button);
        auto* action = editing.window->findChild<QAction*>(command);
        QVERIFY(!action->text().isEmpty() && pushButton->isEnabled());
        QCOMPARE(pushButton->text(), action->text());
        QSignalSpy triggered(action, &QAction::triggered);
        ClickButton(editing.window.get(), button);
        QCOMPARE(triggered.size(), 1);
        QCOMPARE(editing.window->findChild<QMenu*>(u"subFile"_s)->actions().contains(action),
                 command.startsWith(u"sub"_s));
        action->setEnabled(false);
        QVERIFY(!pushButton->isEnabled());
    }

    // A cancel or an unreadable file changes nothing at all; a name that is
    // not found is asked for again.
    void openSchedule() {
        QVERIFY(WriteSchedule(m_app, u"morva.mvs"_s, SampleDocument()));
        QVERIFY(WriteSchedule(m_other->path(), u"SPRING.mvs"_s, BasicOnlyDocument()));
        QVERIFY(WriteBytes(m_other->file(u"BAD.mvs"_s), "\"not\",\"a schedule\"\r\n"));
        start();
        select(u"AdvanceList"_s, 2);
        const AppContext context = m_window->context();
        const QString caption = ShownCaption(*m_window);
        m_dialogs.answerFile(std::nullopt);
        m_dialogs.answerFile(m_other->file(u"BAD.mvs"_s));
        m_window->OpenCmd_Click();
        ClickButton(m_window.get(), u"OpenCmd"_s);
        QCOMPARE(m_dialogs.kinds(), (Kinds{Kind::OpenFile, Kind::OpenFile, Kind::Message}));
        QVERIFY(m_dialogs.messages()[0].contains(u" cannot be read: "_s));
        QCOMPARE(document(), SampleDocument());
        QVERIFY(m_window->context() == context);
        QCOMPARE(ShownCaption(*m_window), caption);
        QCOMPARE(rows(u"DetailList"_s), MediaRows(SampleDocument().advanceEntries()[2].details));

        m_dialogs.clear();
        m_dialogs.answerFile(m_other->file(u"NOPE"_s));
        m_dialogs.answerFile(m_other->file(u"SPRING"_s));
        m_window->findChild<QAction*>(u"subOpen"_s)->trigger();
        QCOMPARE(m_dialogs.kinds(), (Kinds{Kind::OpenFile, Kind::Message, Kind::OpenFile}));
        QCOMPARE(m_dialogs.messages(), QStringList{u"File Not Found!"_s});
        // The dialog opens again where the user was, with the completed name.
        QCOMPARE(m_dialogs.calls()[2].folder + m_dialogs.calls()[2].fileName,
                 m_other->file(u"NOPE.mvs"_s));
        QCOMPARE(document(), BasicOnlyDocument());
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"SPRING.mvs"_s)));
        QCOMPARE(rows(u"NormalList"_s), MediaRows(BasicOnlyDocument().basicEntries()));
        QCOMPARE(rows(u"DetailList"_s), QStringList()); // the old details are gone
    }

    // Declining to overwrite asks again from the name chosen; then the
    // chosen file is written, and only that one.
    void saveAsAsksBeforeOverwriting() {
        QVERIFY(WriteSchedule(m_other->path(), u"X.mvs"_s, BasicOnlyDocument()));
        start();
        m_window->document().append(ListAddress::basic(), media("MORE", "MP3"));
        m_dialogs.answerFile(m_other->file(u"X"_s));
        m_dialogs.answerYesNo(false);
        m_dialogs.answerFile(m_other->file(u"X.mvs"_s));
        m_dialogs.answerYesNo(true);
        ClickButton(m_window.get(), u"SaveAsCmd"_s);
        QCOMPARE(m_dialogs.kinds(),
                 (Kinds{Kind::SaveFile, Kind::YesNo, Kind::SaveFile, Kind::YesNo}));
        QCOMPARE(m_dialogs.calls()[2].fileName, u"X.mvs"_s);
        QCOMPARE(ReadScheduleFileAt(m_other->file(u"X.mvs"_s)).document, document());
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"X.mvs"_s))); // no mark
    }

    // New, Open and Exit ask about a changed document only. Cancel, or a save
    // that fails, keeps everything: the document, the file byte for byte, its
    // name and the caption.
    void givingUpTheDocument_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("added"); // a basic entry's name; empty: unchanged
        QTest::addColumn<SaveChangesAnswer>("answer");
        const auto cancel = SaveChangesAnswer::Cancel;
        const auto save = SaveChangesAnswer::Save;
        QTest::newRow("New, unchanged") << u"NewCmd"_s << QByteArray() << cancel;
        QTest::newRow("New, Cancel") << u"NewCmd"_s << QByteArray("MORE") << cancel;
        QTest::newRow("New, Save") << u"NewCmd"_s << QByteArray("MORE") << save;
        // 256 basic entries: more than a schedule file can count.
        QTest::newRow("New, Save fails") << u"NewCmd"_s << QByteArray("OVERFULL") << save;
        QTest::newRow("Open, Cancel") << u"OpenCmd"_s << QByteArray("MORE") << cancel;
        QTest::newRow("Exit, unchanged") << u"ExitCmd"_s << QByteArray() << cancel;
        QTest::newRow("Exit, Cancel") << u"ExitCmd"_s << QByteArray("MORE") << cancel;
        QTest::newRow("Exit, Don't save")
            << u"ExitCmd"_s << QByteArray("MORE") << SaveChangesAnswer::Discard;
    }

    void givingUpTheDocument() {
        QFETCH(QString, command);
        QFETCH(QByteArray, added);
        QFETCH(SaveChangesAnswer, answer);
        const QString schedule = m_app + u"morva.mvs"_s;
        QVERIFY(WriteSchedule(m_app, u"morva.mvs"_s, SampleDocument()));
        const QByteArray old = FileBytes(schedule);
        start();
        const bool fails = added == "OVERFULL";
        const qsizetype basicWanted = fails ? 256 : document().basicCount() + 1;
        while (!added.isEmpty() && document().basicCount() < basicWanted)
            m_window->document().append(ListAddress::basic(), media(added, "MP3"));
        m_dialogs.answerSaveChanges(answer);
        const ScheduleDocument before = document();
        const QString caption = ShownCaption(*m_window);
        QCOMPARE(caption, ExpectedCaption(added.isEmpty() ? schedule : schedule + u'*'));
        ClickButton(m_window.get(), command);

        const bool kept = fails || (!added.isEmpty() && answer == SaveChangesAnswer::Cancel);
        const bool saved = !added.isEmpty() && !kept && answer == SaveChangesAnswer::Save;
        QCOMPARE(m_dialogs.kinds(), (added.isEmpty() ? Kinds()
                                     : fails         ? Kinds{Kind::SaveChanges, Kind::Message}
                                                     : Kinds{Kind::SaveChanges}));
        QVERIFY(!fails || m_dialogs.messages()[0].contains(u" could not be saved: "_s));
        QCOMPARE(FileBytes(schedule) == old, !saved);
        if (saved)
            QCOMPARE(ReadScheduleFileAt(schedule).document, before);
        const bool renewed = command == u"NewCmd"_s && !kept;
        QCOMPARE(document(), renewed ? ScheduleDocument() : before);
        QCOMPARE(ShownCaption(*m_window),
                 renewed ? ExpectedCaption(m_app + u"morva1.mvs"_s) : caption);
        QVERIFY(!kept || m_window->isWindowModified());
        // Leaving writes every remembered value.
        const bool left = command == u"ExitCmd"_s && !kept;
        AppContext written = SetupAppPaths(m_app);
        QCOMPARE(ReadSystemInfo(written),
                 left ? SystemInfoStatus::Read : SystemInfoStatus::Missing);
        QVERIFY(!left || written == m_window->context());
    }

private:
    // Shown, for the mouse.
    void start() {
        m_window = std::make_unique<MainForm>(m_dialogs, m_app);
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    const ScheduleDocument& document() const { return m_window->document().document(); }
    QStringList rows(const QString& list) const {
        return ListRows(m_window->findChild<QListView*>(list));
    }

    void select(const QString& list, int row) {
        ClickRow(m_window->findChild<QListView*>(list), row);
    }

    std::unique_ptr<TestFolder> m_other;
    QString m_app; // the program folder
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"

// The main window, offscreen and driven by scripted dialogs: what only the
// window does. What the commands do to the document and the files is the
// editor's, tested without a window in tests/controller.

#include "ColourBar.h"
#include "CurrentTexts.h"
#include "DayPlanForm.h"
#include "ListInput.h"
#include "MainFormTestSupport.h"
#include "ProblemsPanel.h"
#include "QtTranslations.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;

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
        QVERIFY(WriteSchedule(m_other->path(), u"SPRING.mvs"_s, BasicOnlyDocument()));
    }

    void cleanup() {
        m_window.reset();
        m_dialogs.clear();
        LoadEnglishTexts(); // the text table and Qt's translations are process-wide
        UseQtTranslations(EnglishLanguageSelector);
    }

    // File > Open Recent lists the files opened and saved, newest first, and
    // opens one by its number; a file handed over by a second start opens
    // only once the dialog in front of the window is closed.
    void recentFilesAndHandedFiles() {
        QVERIFY(WriteSchedule(m_other->path(), u"X.mvs"_s, SampleDocument()));
        QVERIFY(WriteSystemInfoFile(m_app, m_app, m_app, m_other->path(), u"SPRING.mvs"_s));
        start();
        const QString spring = m_other->file(u"SPRING.mvs"_s), x = m_other->file(u"X.mvs"_s);

        QDialog inFront(m_window.get());
        inFront.setModal(true);
        inFront.show();
        m_window->openHandedFile(x);
        QTest::qWait(300);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(spring));
        inFront.close();
        QTRY_COMPARE(ShownCaption(*m_window), ExpectedCaption(x));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
        auto* fileMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(fileMenu);
        QTest::keyClick(fileMenu, Qt::Key_R);
        auto* recent = m_window->findChild<QMenu*>(u"subOpenRecent"_s);
        QTRY_COMPARE(QApplication::activePopupWidget(), recent);
        QStringList items;
        for (const QAction* item : recent->actions())
            items.append(item->text());
        QCOMPARE(items, (QStringList{u"&1 "_s + x, u"&2 "_s + spring, QString(), u"Clear List"_s}));
        QTest::keyClick(recent, Qt::Key_2);
        QTRY_COMPARE(ShownCaption(*m_window), ExpectedCaption(spring));
        QCOMPARE(m_window->editor().recentFiles().paths(), (QStringList{spring, x}));
        QVERIFY(m_dialogs.calls().isEmpty());

        // Opened again, the menu shows the new order.
        QTRY_VERIFY(!QApplication::activePopupWidget());
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
        QVERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_R);
        QTRY_COMPARE(QApplication::activePopupWidget(), recent);
        QCOMPARE(recent->actions().value(0)->text(), u"&1 "_s + spring);
        QCOMPARE(recent->actions().value(1)->text(), u"&2 "_s + x);
        QTest::keyClick(recent, Qt::Key_Escape);
    }

    // The remembered schedule and language are shown at once; each language
    // chosen from the menu renames every control and the caption at once.
    void startsAsRememberedAndSwitchesLanguage() {
        const QString schedule = m_other->file(u"SPRING.mvs"_s);
        QVERIFY(WriteSchedule(m_other->path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(WriteSystemInfoFile(m_app, m_app, m_app, m_other->path(), u"SPRING.mvs"_s,
                                    "\"2\"\r\n"));
        start();
        const auto caption = [&schedule](const TextTable& texts) {
            return texts.text(TextSlot::ProgramTitle) + u" - "_s + schedule;
        };
        QCOMPARE(ShownCaption(*m_window), caption(SecondTexts()));
        QCOMPARE(control(u"NewCmd"_s), SecondTexts().text(TextSlot::New));
        QCOMPARE(EnabledListButtons(*m_window).size(), 15);
        QCOMPARE(rows(u"NormalList"_s), MediaRows(SampleDocument().basicEntries()));
        QCOMPARE(rows(u"DetailList"_s), MediaRows(SampleDocument().advanceEntries()[0].details));

        for (const auto& [item, selector] :
             {std::pair{u"subEnglish"_s, EnglishLanguageSelector},
              std::pair{u"subSecondLanguage"_s, SecondLanguageSelector}}) {
            m_window->findChild<QAction*>(item)->trigger();
            const TextTable& texts =
                selector == EnglishLanguageSelector ? EnglishTexts() : SecondTexts();
            for (const auto& [name, slot] :
                 {std::pair{u"subSave"_s, TextSlot::Save}, std::pair{u"SaveCmd"_s, TextSlot::Save},
                  std::pair{u"DetailMoveUpAction"_s, TextSlot::MoveUp},
                  std::pair{u"DetailMoveUpCmd"_s, TextSlot::MoveUp},
                  std::pair{u"BasicVolumeCmd"_s, TextSlot::Volume}})
                QCOMPARE(control(name), texts.text(slot));
            QCOMPARE(ShownCaption(*m_window), caption(texts));
            QCOMPARE(m_window->context().languageSelector, selector);
        }
    }

    // Qt's own buttons and the captions' font follow the language, from the
    // start and through the menu: Japanese captions in a Japanese font, not
    // with glyphs borrowed one at a time. The lists keep their font.
    void qtTextsAndCaptionFontFollowTheLanguage() {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ja.qm"_s))
            QSKIP("Qt's Japanese translations are not installed (qt6-translations-l10n)");
        QVERIFY(WriteSystemInfoFile(m_app, m_app, m_app, m_other->path(), u"SPRING.mvs"_s,
                                    "\"2\"\r\n"));
        start();
        const auto family = [this](const QString& name) {
            return m_window->findChild<QWidget*>(name)->font().family();
        };
        const QString listFamily = family(u"NormalList"_s);
        // Without the Japanese font the English one stays, quietly.
        const QString japaneseFamily = QFontDatabase::hasFamily(u"Noto Serif CJK JP"_s)
                                           ? u"Noto Serif CJK JP"_s
                                           : u"Times New Roman"_s;
        for (const auto& [item, japanese] :
             {std::pair{QString(), true}, std::pair{u"subEnglish"_s, false},
              std::pair{u"subSecondLanguage"_s, true}}) {
            if (!item.isEmpty())
                m_window->findChild<QAction*>(item)->trigger();
            QMessageBox question(QMessageBox::Question, u"Message"_s, QString(),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 m_window.get());
            const QStringList expected = japanese ? QStringList{u"はい(&Y)"_s, u"キャンセル"_s}
                                                  : QStringList{u"&Yes"_s, u"Cancel"_s};
            QCOMPARE((QStringList{question.button(QMessageBox::Yes)->text(),
                                  question.button(QMessageBox::Cancel)->text()}),
                     expected);
            for (const QString& name : {u"NormalFrame"_s, u"DetailFrame"_s, u"NewCmd"_s,
                                        u"DetailAddCmd"_s, u"BasicVolumeCmd"_s})
                QCOMPARE(family(name), japanese ? japaneseFamily : u"Times New Roman"_s);
            QCOMPARE(family(u"NormalList"_s), listFamily);
        }
    }

    // Each step every bar takes the colour of the bar to its left; eight
    // steps bring the start back.
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

    // Each command button shows its command's text and state and triggers
    // it; the File menu holds the same commands as items.
    void buttonsTriggerTheirCommands_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("command");
        for (const QString& name : {u"New"_s, u"Open"_s, u"Save"_s, u"SaveAs"_s, u"Exit"_s})
            QTest::newRow(qPrintable(name)) << name + u"Cmd"_s << u"sub"_s + name;
        for (const QString& list : {u"Normal"_s, u"Advance"_s, u"Detail"_s})
            for (const QString& name :
                 {u"Add"_s, u"Modify"_s, u"Remove"_s, u"MoveUp"_s, u"MoveDown"_s})
                QTest::newRow(qPrintable(list + name))
                    << list + name + u"Cmd"_s << list + name + u"Action"_s;
    }

    void buttonsTriggerTheirCommands() {
        QFETCH(QString, button);
        QFETCH(QString, command);
        QVERIFY(WriteSchedule(m_app, u"morva.mvs"_s, SampleDocument()));
        start();
        auto* action = m_window->findChild<QAction*>(command);
        // Only the trigger counts here: no command runs, no editor opens.
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        const auto* pushButton = m_window->findChild<QPushButton*>(button);
        QVERIFY(!action->text().isEmpty() && pushButton->isEnabled());
        QCOMPARE(pushButton->text(), action->text());
        QSignalSpy triggered(action, &QAction::triggered);
        ClickButton(m_window.get(), button);
        QCOMPARE(triggered.size(), 1);
        QCOMPARE(m_window->findChild<QMenu*>(u"subFile"_s)->actions().contains(action),
                 command.startsWith(u"sub"_s));
        action->setEnabled(false);
        QVERIFY(!pushButton->isEnabled());
    }

    // The caption names the current file, marked while it is changed, and
    // the lists show the current document. Exit closes the window and writes
    // SystemInfo.txt, unless the user cancels.
    void documentCommandsShowTheirOutcome() {
        QVERIFY(WriteSchedule(m_app, u"morva.mvs"_s, SampleDocument()));
        start();
        AppContext written = SetupAppPaths(m_app);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_app + u"morva.mvs"_s));
        // A cancelled command leaves the lists as they were.
        ClickRow(m_window->findChild<QListView*>(u"AdvanceList"_s), 2);
        m_dialogs.answerFile(std::nullopt);
        ClickButton(m_window.get(), u"OpenCmd"_s);
        QCOMPARE(rows(u"DetailList"_s), MediaRows(SampleDocument().advanceEntries()[2].details));
        m_dialogs.answerFile(m_other->file(u"SPRING"_s));
        ClickButton(m_window.get(), u"OpenCmd"_s);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"SPRING.mvs"_s)));
        QCOMPARE(rows(u"NormalList"_s), MediaRows(BasicOnlyDocument().basicEntries()));
        QCOMPARE(rows(u"DetailList"_s), QStringList()); // the old details are gone
        m_window->document().append(ListAddress::basic(), media("MORE"));
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"SPRING.mvs*"_s)));
        m_dialogs.answerSaveChanges(SaveChangesAnswer::Cancel);
        ClickButton(m_window.get(), u"ExitCmd"_s);
        QVERIFY(m_window->isVisible());
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"SPRING.mvs*"_s)));
        QCOMPARE(ReadSystemInfo(written).status, SystemInfoStatus::Missing);
        m_dialogs.answerFile(m_other->file(u"X"_s));
        ClickButton(m_window.get(), u"SaveAsCmd"_s);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(m_other->file(u"X.mvs"_s)));
        ClickButton(m_window.get(), u"ExitCmd"_s);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(ReadSystemInfo(written).status, SystemInfoStatus::Read);
        QVERIFY(written == m_window->context());
        QCOMPARE(m_dialogs.kinds(),
                 (QList<Kind>{Kind::OpenFile, Kind::OpenFile, Kind::SaveChanges, Kind::SaveFile}));
    }

    // The status bar shows the counts and the size against their limits and
    // the selected period's time window; an advance row's tooltip tells what
    // the row leaves out. A full list stands out.
    void statusBarAndTooltipsTellWhatRowsDoNot() {
        AdvanceEntry monday{{26, 1, 1, 8, 0, 0, 26, 1, 31, 17, 30, 0, 1}, {media("A"), media("B")}};
        QList<MediaEntry> full;
        for (int i = 0; i < MaxBasicEntries; ++i)
            full.append(media("SONG"));
        QVERIFY(
            WriteSchedule(m_app, u"morva.mvs"_s, ScheduleDocument(full, {AdvanceEntry{}, monday})));
        start();
        ClickRow(m_window->findChild<QListView*>(u"AdvanceList"_s), 1);
        const auto label = [this](const char16_t* name) {
            return m_window->findChild<QLabel*>(QString::fromUtf16(name));
        };
        QCOMPARE(label(u"BasicCapacity")->text(), u"Basic 250/250"_s);
        QCOMPARE(label(u"PeriodCapacity")->text(), u"Periods 2/250"_s);
        QCOMPARE(label(u"DetailCapacity")->text(), u"Details 2/100"_s);
        QCOMPARE(label(u"SizeCapacity")->text(), u"Size 7640/30000"_s);
        QCOMPARE(label(u"PeriodTimeWindow")->text(), u"Time 08:00:00 - 17:30:00"_s);
        QVERIFY(label(u"BasicCapacity")->property("full").toBool());
        QVERIFY(!label(u"PeriodCapacity")->property("full").toBool());
        const QAbstractItemModel* periods =
            m_window->findChild<QListView*>(u"AdvanceList"_s)->model();
        QCOMPARE(periods->index(1, 0).data(Qt::ToolTipRole).toString(),
                 u"Time 08:00:00 - 17:30:00\nMonday\n2 media files"_s);
        QCOMPARE(periods->index(0, 0).data(Qt::ToolTipRole).toString(),
                 u"Time 00:00:00 - 23:59:59\nAll Day\n0 media files"_s);
        // Follows the selection and the language at once.
        ClickRow(m_window->findChild<QListView*>(u"AdvanceList"_s), 0);
        QCOMPARE(label(u"DetailCapacity")->text(), u"Details 0/100"_s);
        m_window->findChild<QAction*>(u"subSecondLanguage"_s)->trigger();
        QCOMPARE(label(u"PeriodTimeWindow")->text(),
                 SecondTexts().text(TextSlot::PeriodTimeWindow).arg(u"00:00:00"_s, u"23:59:59"_s));
        // Menus, status bar and messages in one face with Japanese glyphs,
        // not pieced together from two.
        if (QFontDatabase::hasFamily(u"Noto Sans CJK JP"_s))
            QCOMPARE(QApplication::font().family(), u"Noto Sans CJK JP"_s);
        m_window->findChild<QAction*>(u"subEnglish"_s)->trigger();
        QVERIFY(QApplication::font().family() != u"Noto Sans CJK JP"_s);
    }

    // At 150 % a 1280 x 800 screen has 853 x 533 pixels for windows, title
    // bar and panel included. Size, place and maximized state come back at
    // the next start, from the settings beside SystemInfo.txt.
    void windowFitsSmallScreensAndIsRemembered() {
        start();
        const QSize screen(853, 533 - 60);
        m_window->resize(screen);
        QVERIFY2(m_window->width() <= screen.width() && m_window->height() <= screen.height(),
                 qPrintable(u"%1 x %2"_s.arg(m_window->width()).arg(m_window->height())));
        QVERIFY(!m_window->windowIcon().isNull());
        const QRect chosen(QPoint(40, 30), QSize(900, 640));
        m_window->setGeometry(chosen);
        // The Problems panel stays open, and the day plan keeps its size.
        m_window->findChild<QAction*>(u"subProblems"_s)->trigger();
        m_window->showDayPlan()->resize(700, 380);
        ClickButton(m_window.get(), u"ExitCmd"_s);
        QVERIFY(QFile::exists(m_app + u"MorvaEditor.ini"_s));
        start();
        QCOMPARE(m_window->geometry().size(), chosen.size());
        QVERIFY(m_window->problemsPanel()->isVisible());
        QCOMPARE(m_window->showDayPlan()->size(), QSize(700, 380));
        QVERIFY(!m_window->isMaximized());
        m_window->showMaximized();
        ClickButton(m_window.get(), u"ExitCmd"_s);
        start();
        QVERIFY(m_window->isMaximized());
    }

private:
    // Shown, for the mouse.
    void start() {
        m_window = std::make_unique<MainForm>(m_dialogs, m_app);
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QStringList rows(const QString& list) const {
        return ListRows(m_window->findChild<QListView*>(list));
    }
    // The text of a menu item or a button.
    // The text as it reads, without the mark of its access key.
    QString control(const QString& name) const {
        const QObject* found = m_window->findChild<QObject*>(name);
        const auto* action = qobject_cast<const QAction*>(found);
        QString text = action ? action->text() : qobject_cast<const QPushButton*>(found)->text();
        return text.remove(QRegularExpression(u"\\(&.\\)|&"_s));
    }

    std::unique_ptr<TestFolder> m_other;
    QString m_app; // the program folder
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"

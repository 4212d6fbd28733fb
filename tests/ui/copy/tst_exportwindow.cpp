// File > Export to Drive... as a person uses it: the question about unsaved
// changes, the window that picks the target, the progress while the worker
// copies, Escape that cancels without closing, and the report.

#include "CurrentTexts.h"
#include "ExportForm.h"
#include "MainForm.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;

class TestExportWindow final : public QObject {
    Q_OBJECT

    std::unique_ptr<TestFolder> m_dir;
    QString m_app, m_media, m_target;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;

    // The editor on SHOW.mvs, with media files in m_media and the drive's
    // folder remembered from the last copy.
    void start(const ScheduleDocument& document) {
        QVERIFY(WriteSchedule(m_app, u"SHOW.mvs"_s, document));
        QVERIFY(WriteSystemInfoFile(m_app, m_app, m_app, m_app, u"SHOW.mvs"_s));
        m_window = std::make_unique<MainForm>(m_dialogs, m_app);
        m_window->Form_Load();
        m_window->context().mediaFolder = m_media;
        m_window->context().copyTargetFolder = m_target;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
    }
    ExportForm* exportWindow() const { return m_window->findChild<ExportForm*>(); }
    QPushButton* button(const QString& name) const {
        return exportWindow()->findChild<QPushButton*>(name);
    }
    QStringList reportLines() const {
        QStringList lines;
        const auto* report = exportWindow()->findChild<QListWidget*>(u"ExportReport"_s);
        for (int row = 0; row < report->count(); ++row)
            lines.append(report->item(row)->text());
        return lines;
    }
    QString summary() const {
        return exportWindow()->findChild<QLabel*>(u"ExportSummaryText"_s)->text();
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<TestFolder>();
        m_app = m_dir->file(u"app/"_s);
        m_media = m_dir->file(u"media/"_s);
        m_target = m_dir->file(u"player/"_s);
        for (const QString& folder : {m_app, m_media, m_target})
            QVERIFY(QDir().mkpath(folder));
    }
    void cleanup() {
        m_window.reset();
        m_dialogs.clear();
    }

    // Export copies the file on disk: a changed document is saved first, or
    // not exported at all.
    void unsavedChangesAreSavedFirst_data() {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QList<bool>>("answers"); // to "save it now?"
        QTest::addColumn<bool>("opens");
        QTest::newRow("saved: no question") << false << QList<bool>{} << true;
        QTest::newRow("changed, Cancel: nothing") << true << QList<bool>{false} << false;
        QTest::newRow("changed, OK: saved, then the window") << true << QList<bool>{true} << true;
    }
    void unsavedChangesAreSavedFirst() {
        QFETCH(bool, change);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, opens);
        start(ScheduleDocument({media("ONE"), media("TWO")}, {}));
        const QByteArray before = FileBytes(m_app + u"SHOW.mvs"_s);
        if (change) {
            auto* list = m_window->findChild<QWidget*>(u"NormalList"_s);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Delete);
            QVERIFY(m_window->isWindowModified());
        }
        for (const bool answer : answers)
            m_dialogs.answerOkCancel(answer);
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);

        QVERIFY(!m_dialogs.hadUnexpectedCall());
        QVERIFY(m_dialogs.allAnswersUsed());
        QStringList asked;
        for (const ScriptedDialogs::Call& call : m_dialogs.calls())
            asked.append(call.text);
        QCOMPARE(asked, change ? QStringList{Text(TextSlot::ExportSaveFirst)} : QStringList{});
        QCOMPARE(exportWindow() != nullptr, opens);
        QCOMPARE(m_window->isWindowModified(), change && !opens);
        QCOMPARE(ReadBack(m_app + u"SHOW.mvs"_s).basicCount(), change && opens ? 1 : 2);
        if (!change || !opens)
            QCOMPARE(FileBytes(m_app + u"SHOW.mvs"_s), before);
    }

    // Export copies the file on disk and the media files it names, even when
    // another program changed it since the editor saved it; a file that can
    // no longer be read is reported and not exported.
    void theFileOnDiskIsExported_data() {
        QTest::addColumn<QByteArray>("onDisk"); // empty: a schedule of two media files
        QTest::addColumn<QString>("mediaText");
        QTest::addColumn<QString>("message");
        QTest::newRow("changed by another program")
            << QByteArray() << u"Media files from: %1 (2 named)"_s << QString();
        QTest::newRow("damaged by another program")
            << QByteArray("MORVA but nothing more") << u"Media files from: %1 (0 named)"_s
            << u"SHOW.mvs cannot be read: "_s;
    }
    void theFileOnDiskIsExported() {
        QFETCH(QByteArray, onDisk);
        QFETCH(QString, mediaText);
        QFETCH(QString, message);
        start(ScheduleDocument({media("SONG")}, {}));
        QVERIFY(onDisk.isEmpty()
                    ? WriteSchedule(m_app, u"SHOW.mvs"_s,
                                    ScheduleDocument({media("SONG"), media("CLIP")}, {}))
                    : WriteBytes(m_app + u"SHOW.mvs"_s, onDisk));
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(exportWindow());
        QCOMPARE(exportWindow()->findChild<QLabel*>(u"ExportMediaText"_s)->text(),
                 mediaText.arg(m_media));
        QCOMPARE(m_dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || m_dialogs.messages()[0].contains(message));
        QCOMPARE(button(u"ExportCmd"_s)->isEnabled(), message.isEmpty());
    }

    // Export, clicked: the files land in the chosen folder and the report
    // names each one; Exit closes the window.
    void reportsEveryFile() {
        start(ScheduleDocument({media("SONG"), media("GONE")},
                               {{{.weekDay = 7}, {media("CLIP", "AVI"), media("SONG")}}}));
        QVERIFY(WriteBytes(m_media + u"song.mp3"_s, "tune"));
        QVERIFY(WriteBytes(m_media + u"Clip.Avi"_s, "film"));
        QVERIFY(WriteBytes(m_target + u"CLIP.AVI"_s, "film"));
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(exportWindow());
        QVERIFY(QTest::qWaitForWindowExposed(exportWindow()));
        QCOMPARE(exportWindow()->windowTitle(), u"Export to Drive"_s);
        QCOMPARE(exportWindow()->findChild<QLabel*>(u"ExportMediaText"_s)->text(),
                 u"Media files from: %1 (3 named)"_s.arg(m_media));

        QTest::mouseClick(button(u"ExportCmd"_s), Qt::LeftButton);
        QTRY_VERIFY(!exportWindow()->isExporting());
        QTRY_COMPARE(reportLines().size(), 4);
        QCOMPARE(reportLines(), (QStringList{u"Copied: SHOW.mvs"_s, u"Copied: SONG.MP3"_s,
                                             u"Missing from the media folder: GONE.MP3"_s,
                                             u"Already there: CLIP.AVI"_s}));
        QCOMPARE(summary(), u"Schedule file: copied. Media files: 1 copied, 1 already there, 1 "
                            u"missing, 0 failed."_s);
        QCOMPARE(FolderEntries(m_target),
                 (QStringList{u"CLIP.AVI"_s, u"SHOW.mvs"_s, u"SONG.MP3"_s}));
        QCOMPARE(FileBytes(m_target + u"SONG.MP3"_s), "tune");
        QCOMPARE(FileBytes(m_target + u"SHOW.mvs"_s), FileBytes(m_app + u"SHOW.mvs"_s));
        // The folder chosen is the one the next copy or export starts in.
        QCOMPARE(m_window->context().copyTargetFolder, m_target);

        QCOMPARE(button(u"CancelCmd"_s)->text(), u"Exit"_s);
        QPointer<ExportForm> form = exportWindow();
        QTest::mouseClick(button(u"CancelCmd"_s), Qt::LeftButton);
        QTRY_VERIFY(form.isNull());
    }

    // Escape while the files are copied cancels the export; the window stays
    // to say so, and no part of the file being copied is left.
    void escapeCancelsWithoutClosing() {
        start(ScheduleDocument({media("BIG")}, {}));
        QVERIFY(WriteBytes(m_media + u"BIG.MP3"_s, QByteArray(96 << 20, 'b')));
        QVERIFY(WriteBytes(m_target + u"BIG.MP3"_s, "old"));
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowExposed(exportWindow()));
        QTest::mouseClick(button(u"ExportCmd"_s), Qt::LeftButton);
        QCOMPARE(button(u"CancelCmd"_s)->text(), u"Cancel"_s);
        QTest::keyClick(exportWindow(), Qt::Key_Escape);
        QVERIFY(exportWindow()->isVisible());

        QTRY_VERIFY(!exportWindow()->isExporting());
        QTRY_VERIFY(summary().startsWith(u"Export cancelled. "_s));
        QVERIFY(reportLines().contains(u"Not exported, cancelled: BIG.MP3"_s));
        QCOMPARE(FileBytes(m_target + u"BIG.MP3"_s), "old");
        QVERIFY(FolderEntries(m_target).size() <= 2); // the schedule file, perhaps

        QTest::keyClick(exportWindow(), Qt::Key_Escape);
        QTRY_VERIFY(!exportWindow());
    }
};

QTEST_MAIN(TestExportWindow)
#include "tst_exportwindow.moc"

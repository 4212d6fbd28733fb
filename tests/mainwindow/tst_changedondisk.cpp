// Save and a schedule file that changed on disk since this editor read or
// wrote it (another editor saved it, a tool rewrote it): Save asks before
// overwriting, and No keeps both the file and the unsaved document.

#include "CurrentTexts.h"
#include "MainFormTestSupport.h"
#include "PathHelpers.h"
#include "ScheduleReader.h"
#include "ScriptedDialogs.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;
using Kinds = QList<ScriptedDialogs::Kind>;

class TestChangedOnDisk final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        m_window.reset();
        m_dialogs.clear();
    }

    void saveAsksWhenTheFileChanged_data() {
        QTest::addColumn<QString>("source"); // how the current file became current
        QTest::addColumn<QString>("change"); // what happens to it on disk afterwards
        QTest::addColumn<bool>("yes");       // the answer, when asked whether to overwrite
        QTest::addColumn<Kinds>("asked");
        QTest::addColumn<bool>("written");

        const Kinds none, overwrite{Kind::YesNo};
        QTest::newRow("unchanged") << u"start-up"_s << u"none"_s << false << none << true;
        QTest::newRow("saved by another editor, No")
            << u"start-up"_s << u"replaced"_s << false << overwrite << false;
        QTest::newRow("saved by another editor, Yes")
            << u"start-up"_s << u"replaced"_s << true << overwrite << true;
        QTest::newRow("rewritten in place, No")
            << u"start-up"_s << u"rewritten"_s << false << overwrite << false;
        QTest::newRow("only its time changed, No")
            << u"start-up"_s << u"touched"_s << false << overwrite << false;
        // A file removed since is one that does not exist yet: Save proposes
        // its name and writes it without the question.
        QTest::newRow("removed") << u"start-up"_s << u"removed"_s << false << Kinds{Kind::SaveFile}
                                 << true;
        QTest::newRow("opened with Open, unchanged")
            << u"Open"_s << u"none"_s << false << none << true;
        QTest::newRow("opened with Open, No")
            << u"Open"_s << u"replaced"_s << false << overwrite << false;
        QTest::newRow("written by Save As, unchanged")
            << u"Save As"_s << u"none"_s << false << none << true;
        QTest::newRow("written by Save As, No")
            << u"Save As"_s << u"replaced"_s << false << overwrite << false;
        // New leaves nothing to compare: the file under the new name was
        // never this editor's.
        QTest::newRow("made by New, created elsewhere")
            << u"New"_s << u"replaced"_s << false << none << true;
    }

    void saveAsksWhenTheFileChanged() {
        QFETCH(QString, source);
        QFETCH(QString, change);
        QFETCH(bool, yes);
        QFETCH(Kinds, asked);
        QFETCH(bool, written);
        const QString path = makeCurrent(source);
        QVERIFY(!path.isEmpty());
        QVERIFY2(!m_dialogs.hadUnexpectedCall(), "setting up asked something");
        m_dialogs.clear();

        m_window->document().appendBasic(MediaEntryNamed("MORE", "MP3"));
        QVERIFY(changeOnDisk(change, path));
        const QByteArray onDisk = FileBytes(path);
        const ScheduleDocument edited = document();
        if (asked == Kinds{Kind::YesNo})
            m_dialogs.answerYesNo(yes);
        if (asked == Kinds{Kind::SaveFile})
            m_dialogs.answerFile(path);
        clickSave();

        QCOMPARE(m_dialogs.kinds(), asked);
        QVERIFY(!m_dialogs.hadUnexpectedCall());
        if (asked == Kinds{Kind::YesNo})
            QCOMPARE(m_dialogs.calls()[0].text, Text(TextSlot::FileChangedOnDisk).arg(path));
        if (written)
            QCOMPARE(ReadScheduleFileAt(path).document, edited);
        else
            QCOMPARE(FileBytes(path), onDisk);
        QCOMPARE(document(), edited);
        QCOMPARE(m_window->isWindowModified(), !written);
        QCOMPARE(m_window->context().schedulePath(), path);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(written ? path : path + u'*'));

        // What this editor wrote is what it now knows: saving again asks nothing.
        if (written) {
            m_dialogs.clear();
            m_window->document().appendBasic(MediaEntryNamed("AGAIN", "MP3"));
            clickSave();
            QCOMPARE(m_dialogs.kinds(), Kinds{});
            QCOMPARE(ReadScheduleFileAt(path).document, document());
        }
    }

    // Leaving with unsaved changes: Save, then No to overwriting the changed
    // file, keeps the window open and the other editor's file as it is.
    void exitDoesNotOverwriteAChangedFileUnasked() {
        const QString path = makeCurrent(u"start-up"_s);
        QVERIFY(!path.isEmpty());
        m_dialogs.clear();
        m_window->document().appendBasic(MediaEntryNamed("MORE", "MP3"));
        QVERIFY(changeOnDisk(u"replaced"_s, path));
        const QByteArray onDisk = FileBytes(path);
        m_dialogs.answerSaveChanges(SaveChangesAnswer::Save);
        m_dialogs.answerYesNo(false);
        QTest::mouseClick(m_window->findChild<QPushButton*>(u"ExitCmd"_s), Qt::LeftButton);
        QCOMPARE(m_dialogs.kinds(), (Kinds{Kind::SaveChanges, Kind::YesNo}));
        QVERIFY(m_window->isVisible());
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(FileBytes(path), onDisk);
    }

private:
    void click(const QString& button) {
        QTest::mouseClick(m_window->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void clickSave() { click(u"SaveCmd"_s); }

    // Starts the editor and makes a saved schedule file its current file, as
    // source says; returns that file's path.
    QString makeCurrent(const QString& source) {
        m_app.emplace();
        m_other.emplace();
        const QString elsewhere = m_other->file(u"X.mvs"_s);
        const bool fromProgramFolder = source == u"start-up"_s || source == u"New"_s;
        if ((fromProgramFolder || source == u"Open"_s) &&
            !WriteSchedule(fromProgramFolder ? m_app->path() : m_other->path(),
                           fromProgramFolder ? u"morva.mvs"_s : u"X.mvs"_s, SampleDocument()))
            return {};
        m_window = std::make_unique<MainForm>(m_dialogs, m_app->path());
        m_window->Form_Load();
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return {};
        if (source == u"start-up"_s)
            return m_app->file(u"morva.mvs"_s);
        if (source == u"New"_s) {
            click(u"NewCmd"_s);
            return m_app->file(u"morva1.mvs"_s);
        }
        if (source == u"Save As"_s)
            m_window->document().appendBasic(MediaEntryNamed("FIRST", "MP3"));
        m_dialogs.answerFile(elsewhere);
        click(source == u"Open"_s ? u"OpenCmd"_s : u"SaveAsCmd"_s);
        return elsewhere;
    }

    static bool changeOnDisk(const QString& change, const QString& path) {
        if (change == u"none"_s)
            return true;
        if (change == u"removed"_s)
            return QFile::remove(path);
        // As another editor saves: a new file takes the name.
        if (change == u"replaced"_s)
            return WriteSchedule(FolderOfPath(path), FileNameOfPath(path), BasicOnlyDocument());
        // The same file, longer.
        if (change == u"rewritten"_s)
            return WriteBytes(path, FileBytes(path) + "more");
        // The same bytes with another modification time.
        QFile file(path);
        return change == u"touched"_s && file.open(QIODevice::ReadWrite) &&
               file.setFileTime(QFileInfo(path).lastModified().addSecs(3600),
                                QFileDevice::FileModificationTime);
    }

    const ScheduleDocument& document() const { return m_window->document().document(); }

    std::optional<TestFolder> m_app;   // the program folder
    std::optional<TestFolder> m_other; // where Open and Save As find their file
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;
};

QTEST_MAIN(TestChangedOnDisk)
#include "tst_changedondisk.moc"

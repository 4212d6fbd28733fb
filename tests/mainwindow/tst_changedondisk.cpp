// Save and a schedule file that changed on disk since this editor read or
// wrote it (another editor saved it, a tool rewrote it): Save asks before
// overwriting, and No keeps both the file and the unsaved document.

#include "MainFormTestSupport.h"
#include "ScriptedDialogs.h"
#include "PathHelpers.h"
#include "ScheduleReader.h"
#include "CurrentTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;
using Kinds = QList<ScriptedDialogs::Kind>;

class TestChangedOnDisk final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_other = std::make_unique<TestFolder>(); }

    void cleanup() {
        m_window.reset();
        m_dialogs.clear();
        m_app.reset();
        m_other.reset();
    }

    void saveAsksWhenTheFileChanged_data() {
        QTest::addColumn<QString>("source"); // how the current file became current
        QTest::addColumn<QString>("change"); // what happens to it on disk afterwards
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes"); // the answer, when asked

        QTest::newRow("unchanged") << u"start-up"_s << u"none"_s << false << false;
        QTest::newRow("saved by another editor, No")
            << u"start-up"_s << u"replaced"_s << true << false;
        QTest::newRow("saved by another editor, Yes")
            << u"start-up"_s << u"replaced"_s << true << true;
        QTest::newRow("rewritten in place, No") << u"start-up"_s << u"rewritten"_s << true << false;
        QTest::newRow("only its time changed, No")
            << u"start-up"_s << u"touched"_s << true << false;
        QTest::newRow("opened with Open, unchanged") << u"Open"_s << u"none"_s << false << false;
        QTest::newRow("opened with Open, No") << u"Open"_s << u"replaced"_s << true << false;
        QTest::newRow("written by Save As, unchanged")
            << u"Save As"_s << u"none"_s << false << false;
        QTest::newRow("written by Save As, No") << u"Save As"_s << u"replaced"_s << true << false;
        // New leaves nothing to compare: the file under the new name was
        // never this editor's.
        QTest::newRow("made by New, created elsewhere")
            << u"New"_s << u"replaced"_s << false << false;
    }

    void saveAsksWhenTheFileChanged() {
        QFETCH(QString, source);
        QFETCH(QString, change);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        const QString path = makeCurrent(source);
        QVERIFY(!path.isEmpty());
        QVERIFY2(!m_dialogs.hadUnexpectedCall(), "setting up asked something");
        m_dialogs.clear();

        m_window->document().append(ListAddress::basic(), MediaEntryNamed("MORE", "MP3"));
        QVERIFY(changeOnDisk(change, path));
        const QByteArray onDisk = FileBytes(path);
        const ScheduleDocument edited = document();
        if (asked)
            m_dialogs.answerYesNo(yes);
        clickSave();

        QCOMPARE(m_dialogs.kinds(), asked ? Kinds{Kind::YesNo} : Kinds{});
        QVERIFY(!m_dialogs.hadUnexpectedCall());
        if (asked)
            QCOMPARE(m_dialogs.calls()[0].text, Text(TextSlot::FileChangedOnDisk).arg(path));
        const bool written = !asked || yes;
        if (written) {
            QCOMPARE(ReadScheduleFileAt(path).document, edited);
        } else {
            QCOMPARE(FileBytes(path), onDisk);
        }
        QCOMPARE(document(), edited);
        QCOMPARE(m_window->isWindowModified(), !written);
        QCOMPARE(m_window->context().schedulePath(), path);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(written ? path : path + u'*'));

        // What this editor wrote is what it now knows: saving again asks nothing.
        if (written) {
            m_dialogs.clear();
            m_window->document().append(ListAddress::basic(), MediaEntryNamed("AGAIN", "MP3"));
            clickSave();
            QCOMPARE(m_dialogs.kinds(), Kinds{});
            QCOMPARE(ReadScheduleFileAt(path).document, document());
        }
    }

    // A file removed since it was opened is simply a file that does not exist
    // yet: Save proposes its name and writes it without the question.
    void saveOfARemovedFileAsksNoQuestion() {
        const QString path = makeCurrent(u"start-up"_s);
        QVERIFY(!path.isEmpty());
        m_dialogs.clear();
        m_window->document().append(ListAddress::basic(), MediaEntryNamed("MORE", "MP3"));
        QVERIFY(QFile::remove(path));
        m_dialogs.answerFile(path);
        clickSave();
        QCOMPARE(m_dialogs.kinds(), Kinds{Kind::SaveFile});
        QCOMPARE(ReadScheduleFileAt(path).document, document());
        QVERIFY(!m_window->isWindowModified());
    }

    // Leaving with unsaved changes: Save, then No to overwriting the changed
    // file, keeps the window open and the other editor's file as it is.
    void exitDoesNotOverwriteAChangedFileUnasked() {
        const QString path = makeCurrent(u"start-up"_s);
        QVERIFY(!path.isEmpty());
        m_dialogs.clear();
        m_window->document().append(ListAddress::basic(), MediaEntryNamed("MORE", "MP3"));
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
    void start() {
        m_window = std::make_unique<MainForm>(m_dialogs, m_app->path());
        m_window->Form_Load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // Starts the editor and makes a saved schedule file its current file, as
    // source says; returns that file's path.
    QString makeCurrent(const QString& source) {
        m_app = std::make_unique<TestFolder>();
        const QString remembered = m_app->file(u"morva.mvs"_s);
        const QString elsewhere = m_other->file(u"X.mvs"_s);
        if (source == u"start-up"_s || source == u"New"_s) {
            if (!WriteSchedule(m_app->path(), u"morva.mvs"_s, SampleDocument()))
                return {};
            start();
            if (source == u"start-up"_s)
                return remembered;
            QTest::mouseClick(m_window->findChild<QPushButton*>(u"NewCmd"_s), Qt::LeftButton);
            return m_app->file(u"morva1.mvs"_s);
        }
        if (source == u"Open"_s) {
            if (!WriteSchedule(m_other->path(), u"X.mvs"_s, SampleDocument()))
                return {};
            start();
            m_dialogs.answerFile(elsewhere);
            QTest::mouseClick(m_window->findChild<QPushButton*>(u"OpenCmd"_s), Qt::LeftButton);
            return elsewhere;
        }
        start();
        m_window->document().append(ListAddress::basic(), MediaEntryNamed("FIRST", "MP3"));
        m_dialogs.answerFile(elsewhere);
        QTest::mouseClick(m_window->findChild<QPushButton*>(u"SaveAsCmd"_s), Qt::LeftButton);
        return elsewhere;
    }

    static bool changeOnDisk(const QString& change, const QString& path) {
        if (change == u"none"_s)
            return true;
        // As another editor saves: a new file takes the name.
        if (change == u"replaced"_s)
            return WriteSchedule(FolderOfPath(path), FileNameOfPath(path), BasicOnlyDocument());
        // The same file, longer.
        if (change == u"rewritten"_s)
            return WriteBytes(path, FileBytes(path) + "more");
        // The same bytes with another modification time.
        if (change == u"touched"_s) {
            QFile file(path);
            const QDateTime later = QFileInfo(path).lastModified().addSecs(3600);
            return file.open(QIODevice::ReadWrite) &&
                   file.setFileTime(later, QFileDevice::FileModificationTime);
        }
        return false;
    }

    void clickSave() {
        QTest::mouseClick(m_window->findChild<QPushButton*>(u"SaveCmd"_s), Qt::LeftButton);
    }

    const ScheduleDocument& document() const { return m_window->document().document(); }

    std::unique_ptr<TestFolder> m_other; // where Open and Save As find their file
    std::unique_ptr<TestFolder> m_app;   // the program folder
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;
};

QTEST_MAIN(TestChangedOnDisk)
#include "tst_changedondisk.moc"

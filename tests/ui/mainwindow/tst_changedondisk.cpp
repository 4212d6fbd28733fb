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
        QTest::addColumn<QString>("button"); // Save, or Exit with Save to its question
        QTest::addColumn<Kinds>("asked");
        QTest::addColumn<bool>("written"); // also the answer, when asked whether to overwrite

        const QString save = u"SaveCmd"_s;
        const Kinds none, overwrite{Kind::YesNo};
        const auto row = [&](const char* tag, const char* source, const char* change,
                             const Kinds& asked, bool written) {
            QTest::newRow(tag) << QString::fromLatin1(source) << QString::fromLatin1(change) << save
                               << asked << written;
        };
        row("unchanged", "start-up", "none", none, true);
        row("saved by another editor, No", "start-up", "replaced", overwrite, false);
        row("saved by another editor, Yes", "start-up", "replaced", overwrite, true);
        row("only its time changed, No", "start-up", "touched", overwrite, false);
        // A file removed since is one that does not exist yet: Save proposes
        // its name and writes it without the question.
        row("removed", "start-up", "removed", {Kind::SaveFile}, true);
        row("written by Save As, No", "Save As", "replaced", overwrite, false);
        // New leaves nothing to compare: the file under the new name was
        // never this editor's.
        row("made by New, created elsewhere", "New", "replaced", none, true);
        // Leaving with unsaved changes: No to overwriting keeps the window open.
        QTest::newRow("Exit, Save, No") << u"start-up"_s << u"replaced"_s << u"ExitCmd"_s
                                        << Kinds{Kind::SaveChanges, Kind::YesNo} << false;
    }

    void saveAsksWhenTheFileChanged() {
        QFETCH(QString, source);
        QFETCH(QString, change);
        QFETCH(QString, button);
        QFETCH(Kinds, asked);
        QFETCH(bool, written);
        const QString path = makeCurrent(source);
        QVERIFY(!path.isEmpty());
        QVERIFY2(!m_dialogs.hadUnexpectedCall(), "setting up asked something");
        m_dialogs.clear();

        m_window->document().append(ListAddress::basic(), media("MORE", "MP3"));
        QVERIFY(changeOnDisk(change, path));
        const QByteArray onDisk = FileBytes(path);
        const ScheduleDocument edited = document();
        for (const Kind kind : asked) {
            if (kind == Kind::SaveChanges)
                m_dialogs.answerSaveChanges(SaveChangesAnswer::Save);
            else if (kind == Kind::YesNo)
                m_dialogs.answerYesNo(written);
            else
                m_dialogs.answerFile(path);
        }
        click(button);

        QCOMPARE(m_dialogs.kinds(), asked);
        QVERIFY(!m_dialogs.hadUnexpectedCall());
        if (asked.contains(Kind::YesNo))
            QCOMPARE(m_dialogs.calls().at(asked.indexOf(Kind::YesNo)).text,
                     Text(TextSlot::FileChangedOnDisk).arg(path));
        if (written)
            QCOMPARE(ReadBack(path), edited);
        else
            QCOMPARE(FileBytes(path), onDisk);
        QVERIFY(m_window->isVisible());
        QCOMPARE(document(), edited);
        QCOMPARE(ShownCaption(*m_window), ExpectedCaption(written ? path : path + u'*'));

        // What this editor wrote is what it now knows: saving again asks nothing.
        if (written) {
            m_dialogs.clear();
            m_window->document().append(ListAddress::basic(), media("AGAIN", "MP3"));
            clickSave();
            QCOMPARE(m_dialogs.kinds(), Kinds{});
            QCOMPARE(ReadBack(path), document());
        }
    }

private:
    void click(const QString& button) {
        QTest::mouseClick(m_window->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void clickSave() { click(u"SaveCmd"_s); }

    // Starts the editor and makes a saved schedule file its current file, as
    // source says; returns that file's path. Open reads a file as start-up
    // does, and Save writes one as Save As does.
    QString makeCurrent(const QString& source) {
        m_app.emplace();
        m_other.emplace();
        const QString elsewhere = m_other->file(u"X.mvs"_s);
        if (!WriteSchedule(m_app->path(), u"morva.mvs"_s, SampleDocument()))
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
        m_window->document().append(ListAddress::basic(), media("FIRST", "MP3"));
        m_dialogs.answerFile(elsewhere);
        click(u"SaveAsCmd"_s);
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
        // The same file and bytes with another modification time: a tool that
        // rewrote it in place changes at least that.
        QFile file(path);
        return change == u"touched"_s && file.open(QIODevice::ReadWrite) &&
               file.setFileTime(QFileInfo(path).lastModified().addSecs(3600),
                                QFileDevice::FileModificationTime);
    }

    const ScheduleDocument& document() const { return m_window->document().document(); }

    std::optional<TestFolder> m_app;   // the program folder
    std::optional<TestFolder> m_other; // where Save As writes its file
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainForm> m_window;
};

QTEST_MAIN(TestChangedOnDisk)
#include "tst_changedondisk.moc"

// SystemInfo.txt with every kind of damage: the editor starts, says so only
// where the file could not be read, and the file is complete again after
// Exit; a bad value loses only itself, and a file that cannot be read at all
// is left as it is. Folders with any name are remembered run after run.

#include "CurrentTexts.h"
#include "MainFormTestSupport.h"
#include "ScriptedDialogs.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;

namespace {

// Placeholders in the table, replaced by the folders of each run.
constexpr char AppFolder[] = "%APP%";
constexpr char OtherFolder[] = "%OTHER%";

QByteArray line(const QByteArray& value) {
    return '"' + value + "\"\r\n";
}

// Every value, the remembered schedule being %OTHER%SPRING.mvs.
QByteArray completeFile(const QByteArray& saveFolder = OtherFolder,
                        const QByteArray& scheduleFolder = OtherFolder) {
    return line(OtherFolder) + line(saveFolder) + line(scheduleFolder) + line("SPRING.mvs") +
           line(OtherFolder) + "\"/\"," + line(OtherFolder) + line("1");
}

QByteArray noise(quint32 seed, qsizetype size) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

// The program folder and another one holding SPRING.mvs.
struct Folders {
    TestFolder app;
    TestFolder other;
    QString settings = app.file(QString::fromUtf16(SystemInfoFileName));

    QByteArray resolved(QByteArray text) const {
        return text.replace(AppFolder, app.path().toUtf8())
            .replace(OtherFolder, other.path().toUtf8());
    }
};

} // namespace

class TestDamagedSystemInfo final : public QObject {
    Q_OBJECT

    // Loads and shows the window as the program starts it.
    static bool start(MainForm& window) {
        window.Form_Load();
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

private Q_SLOTS:
    void cleanup() { LoadEnglishTexts(); }

    void editorStartsAndRepairsTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("damaged");            // the message is shown at start
        QTest::addColumn<QByteArray>("saveFolder");   // read before the damage, or the start value
        QTest::addColumn<QByteArray>("schedulePath"); // in the caption

        const QByteArray app = AppFolder, other = OtherFolder;
        const QByteArray remembered = other + "SPRING.mvs", fresh = app + "morva.mvs";
        const QByteArray complete = completeFile();
        const QByteArray longFolder = other + QByteArray(10 * 1024, 'x') + '/';

        QTest::newRow("empty") << QByteArray() << true << app << fresh;
        QTest::newRow("short: three lines") << line(other).repeated(3) << true << other << fresh;
        QTest::newRow("cut in the middle of a line")
            << complete.left(complete.indexOf("SPRING") + 3) << true << other << fresh;
        // A bad value loses only itself: the values after it stay in their places.
        QTest::newRow("unterminated quote in the first value")
            << complete.mid(0, complete.indexOf('\r') - 1) + complete.mid(complete.indexOf('\r'))
            << true << other << remembered;
        // The six values before it are kept, the remembered schedule among them.
        QTest::newRow("unterminated quote in the last value")
            << complete.left(complete.lastIndexOf("\"\r\n\"1")) + "\r\n\"1\"\r\n"
            << true << other << remembered;
        // The language line is optional: without it the file is whole.
        QTest::newRow("unterminated quote in the language line")
            << complete.left(complete.size() - 3) << false << other << remembered;
        // As an older copy wrote a folder with a line end: only that folder is lost.
        QTest::newRow("a line end inside the save folder")
            << completeFile(other + "two\nlines/") << true << app << remembered;
        QTest::newRow("a relative schedule folder")
            << completeFile(other, "relative/") << true << other << fresh;
        QTest::newRow("binary noise starting with NUL")
            << '\0' + noise(1, 4095) << true << app << fresh;
        QTest::newRow("binary noise after a quote") << '"' + noise(2, 4095) << true << app << fresh;
        QTest::newRow("a 10 kB save folder")
            << completeFile(longFolder) << false << longFolder << remembered;
        QTest::newRow("a 10 kB schedule folder")
            << completeFile(other, longFolder) << false << other << fresh;
        QTest::newRow("the remembered folder no longer exists")
            << completeFile(other, other + "gone/") << false << other << fresh;
        QTest::newRow("LF line ends")
            << QByteArray(complete).replace("\r\n", "\n") << false << other << remembered;
    }

    void editorStartsAndRepairsTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(bool, damaged);
        QFETCH(QByteArray, saveFolder);
        QFETCH(QByteArray, schedulePath);
        Folders folders;
        QVERIFY(WriteSchedule(folders.other.path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(WriteBytes(folders.settings, folders.resolved(content)));

        ScriptedDialogs dialogs;
        MainForm window(dialogs, folders.app.path());
        QVERIFY(start(window));
        QCOMPARE(dialogs.messages(),
                 damaged ? QStringList{u"System Information Error!!"_s} : QStringList());
        QCOMPARE(window.context().saveFolder, QString::fromUtf8(folders.resolved(saveFolder)));
        const QString shownPath = QString::fromUtf8(folders.resolved(schedulePath));
        QCOMPARE(ShownCaption(window), ExpectedCaption(shownPath));
        // A damaged file is deleted at once, so it cannot mislead a later start.
        QCOMPARE(QFile::exists(folders.settings), !damaged);
        // The lists show the schedule and follow the document.
        const auto* basicList = window.findChild<QListView*>(u"NormalList"_s);
        const ScheduleDocument shown =
            shownPath.endsWith(u"SPRING.mvs"_s) ? SampleDocument() : ScheduleDocument();
        QCOMPARE(ListRows(basicList), MediaRows(shown.basicEntries()));
        QVERIFY(EnabledListButtons(window).contains(u"NormalAddCmd"_s));
        window.document().append(ListAddress::basic(), media("MORE", "MP3"));
        QCOMPARE(ListRows(basicList).size(), shown.basicCount() + 1);

        dialogs.clear();
        dialogs.answerSaveChanges(SaveChangesAnswer::Discard);
        QVERIFY(window.close());
        QCOMPARE(dialogs.kinds(), QList<Kind>{Kind::SaveChanges});
        // Complete again: every value as the window left it, written as always.
        QCOMPARE(FileBytes(folders.settings), FormatSystemInfo(window.context()));
        AppContext reread = SetupAppPaths(folders.app.path());
        QCOMPARE(ReadSystemInfo(reread), SystemInfoStatus::Read);
    }

    // A settings file that cannot be read is named in the message and left
    // exactly as it is, through Exit too: it may be readable again later.
    void unreadableFileReportedAndKept() {
        Folders folders;
        const QByteArray content = completeFile() + line(QByteArray(2 * 1024 * 1024, 'a'));
        QVERIFY(WriteBytes(folders.settings, folders.resolved(content)));

        ScriptedDialogs dialogs;
        MainForm window(dialogs, folders.app.path());
        QVERIFY(start(window));
        QCOMPARE(dialogs.kinds(), QList<Kind>{Kind::Message});
        const QString message = dialogs.messages().constFirst();
        QVERIFY2(message.startsWith(u"System Information Error!!\n"_s) &&
                     message.contains(folders.settings) && message.contains(u"larger than"_s),
                 qPrintable(message));
        QCOMPARE(window.context(), SetupAppPaths(folders.app.path()));
        QCOMPARE(ShownCaption(window), ExpectedCaption(folders.app.file(u"morva.mvs"_s)));

        dialogs.clear();
        QVERIFY(window.close());
        QVERIFY(dialogs.kinds().isEmpty());
        QCOMPARE(FileBytes(folders.settings), folders.resolved(content));
    }

    // A schedule opened from a folder whose name holds quotes, commas or line
    // ends is reopened at the next start, run after run, and the settings
    // file stays the same.
    void scheduleInAnyFolderReopensRunAfterRun_data() {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("quote, comma, CR LF, tab, non-ASCII") << u"say \"hi\",\r\n\t\u65E5"_s;
        QTest::newRow("none of these") << u"plain"_s;
    }

    void scheduleInAnyFolderReopensRunAfterRun() {
        QFETCH(QString, folderName);
        Folders folders;
        QVERIFY(QDir(folders.other.path()).mkdir(folderName));
        const QString schedule = folders.other.file(folderName) + u"/SPRING.mvs"_s;
        QVERIFY(WriteSchedule(folders.other.file(folderName) + u'/', u"SPRING.mvs"_s,
                              SampleDocument()));

        QByteArray previous;
        for (int run = 0; run < 3; ++run) {
            ScriptedDialogs dialogs;
            MainForm window(dialogs, folders.app.path());
            QVERIFY(start(window));
            if (run == 0) {
                dialogs.answerFile(schedule);
                QTest::mouseClick(window.findChild<QPushButton*>(u"OpenCmd"_s), Qt::LeftButton);
            }
            QCOMPARE(ShownCaption(window), ExpectedCaption(schedule));
            QCOMPARE(window.document().document(), SampleDocument());
            QVERIFY(window.close());
            QVERIFY(dialogs.messages().isEmpty());
            const QByteArray written = FileBytes(folders.settings);
            QVERIFY(run == 0 || written == previous);
            previous = written;
        }
    }
};

QTEST_MAIN(TestDamagedSystemInfo)
#include "tst_damagedsysteminfo.moc"

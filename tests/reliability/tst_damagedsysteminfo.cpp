// SystemInfo.txt with every kind of damage: the editor starts, says so only
// where the file could not be read, and the file is complete again after
// Exit; a bad value loses only itself, and a file that cannot be read at all
// is left as it is. Folders with any name are remembered run after run.

#include "MainFormTestSupport.h"
#include "ScriptedDialogs.h"
#include "MainForm.h"
#include "SystemInfoFile.h"
#include "CurrentTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QPushButton>
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

QByteArray withFolders(QByteArray bytes, const TestFolder& app, const TestFolder& other) {
    return bytes.replace(AppFolder, app.path().toUtf8())
        .replace(OtherFolder, other.path().toUtf8());
}

QString withFolders(QString text, const TestFolder& app, const TestFolder& other) {
    return text.replace(QLatin1StringView(AppFolder), app.path())
        .replace(QLatin1StringView(OtherFolder), other.path());
}

} // namespace

class TestDamagedSystemInfo final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { LoadEnglishTexts(); }

    void editorStartsAndRepairsTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("damaged");         // the message is shown at start
        QTest::addColumn<QString>("saveFolder");   // read before the damage, or the start value
        QTest::addColumn<QString>("schedulePath"); // in the caption

        const QString app = QString::fromLatin1(AppFolder);
        const QString other = QString::fromLatin1(OtherFolder);
        const QString remembered = other + u"SPRING.mvs"_s;
        const QString fresh = app + u"morva.mvs"_s;
        const QByteArray complete = completeFile();
        const QByteArray longFolder = QByteArray(OtherFolder) + QByteArray(10 * 1024, 'x') + '/';

        QTest::newRow("empty") << QByteArray() << true << app << fresh;
        QTest::newRow("short: three lines")
            << line(OtherFolder).repeated(3) << true << other << fresh;
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
        QTest::newRow("NUL inside a value")
            << complete.left(3) + '\0' + complete.mid(3) << true << other << remembered;
        // As an older copy wrote a folder with a line end: only that folder is lost.
        QTest::newRow("a line end inside the save folder")
            << completeFile(QByteArray(OtherFolder) + "two\nlines/") << true << app << remembered;
        QTest::newRow("a relative schedule folder")
            << completeFile(OtherFolder, "relative/") << true << other << fresh;
        QTest::newRow("binary noise starting with NUL")
            << '\0' + noise(1, 4095) << true << app << fresh;
        QTest::newRow("binary noise after a quote") << '"' + noise(2, 4095) << true << app << fresh;
        QTest::newRow("a 10 kB save folder")
            << completeFile(longFolder) << false << QString::fromUtf8(longFolder) << remembered;
        QTest::newRow("a 10 kB schedule folder")
            << completeFile(OtherFolder, longFolder) << false << other << fresh;
        QTest::newRow("the remembered folder no longer exists")
            << completeFile(OtherFolder, QByteArray(OtherFolder) + "gone/") << false << other
            << fresh;
        QTest::newRow("LF line ends")
            << QByteArray(complete).replace("\r\n", "\n") << false << other << remembered;
    }

    void editorStartsAndRepairsTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(bool, damaged);
        QFETCH(QString, saveFolder);
        QFETCH(QString, schedulePath);
        TestFolder app;
        TestFolder other;
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, SampleDocument()));
        const QString settings = app.file(QString::fromUtf16(SystemInfoFileName));
        QVERIFY(WriteBytes(settings, withFolders(content, app, other)));
        schedulePath = withFolders(schedulePath, app, other);

        ScriptedDialogs dialogs;
        MainForm window(dialogs, app.path());
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(dialogs.messages(),
                 damaged ? QStringList{u"System Information Error!!"_s} : QStringList());
        QCOMPARE(window.context().saveFolder, withFolders(saveFolder, app, other));
        QCOMPARE(ShownCaption(window), ExpectedCaption(schedulePath));
        // A damaged file is deleted at once, so it cannot mislead a later start.
        QCOMPARE(QFile::exists(settings), !damaged);
        // The lists show the schedule and follow the document.
        const auto* basicList = window.findChild<QListView*>(u"NormalList"_s);
        const ScheduleDocument shown =
            schedulePath.endsWith(u"SPRING.mvs"_s) ? SampleDocument() : ScheduleDocument();
        QCOMPARE(ListRows(basicList), MediaRows(shown.basicEntries()));
        QVERIFY(EnabledListButtons(window).contains(u"NormalAddCmd"_s));
        window.document().append(ListAddress::basic(), MediaEntryNamed("MORE", "MP3"));
        QCOMPARE(ListRows(basicList).size(), shown.basicCount() + 1);

        dialogs.clear();
        dialogs.answerSaveChanges(SaveChangesAnswer::Discard);
        QVERIFY(window.close());
        QCOMPARE(dialogs.kinds(), QList<Kind>{Kind::SaveChanges});

        const QByteArray written = FileBytes(settings);
        QCOMPARE(written, FormatSystemInfo(window.context()));
        const SystemInfoFields fields = ParseSystemInfo(written, 8);
        QVERIFY(fields.complete);
        QCOMPARE(fields.fields.size(), 8);
        QCOMPARE(fields.fields.constLast(), u"1"_s);
        QCOMPARE(written.count("\r\n"), 7);
        QCOMPARE(written.count('\n'), 7);
        QVERIFY(written.endsWith("\r\n"));
    }

    // A settings file that cannot be read is named in the message and left
    // exactly as it is, through Exit too: it may be readable again later.
    void unreadableFileReportedAndKept_data() {
        QTest::addColumn<QByteArray>("content"); // null: a folder in the way
        QTest::addColumn<QString>("reason");
        const QByteArray big = line(QByteArray(2 * 1024 * 1024, 'a'));
        QTest::newRow("a 2 MB line") << big + completeFile() << u"larger than"_s;
        QTest::newRow("a complete file followed by a 2 MB line")
            << completeFile() + big << u"larger than"_s;
        QTest::newRow("a folder in the way") << QByteArray() << u"not a regular file"_s;
    }

    void unreadableFileReportedAndKept() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TestFolder app;
        TestFolder other;
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, SampleDocument()));
        const QString settings = app.file(QString::fromUtf16(SystemInfoFileName));
        content = withFolders(content, app, other);
        QVERIFY(content.isNull() ? QDir(app.path()).mkpath(settings + u"/kept"_s)
                                 : WriteBytes(settings, content));

        ScriptedDialogs dialogs;
        MainForm window(dialogs, app.path());
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(dialogs.kinds(), QList<Kind>{Kind::Message});
        const QString message = dialogs.messages().constFirst();
        QVERIFY2(message.startsWith(u"System Information Error!!\n"_s) &&
                     message.contains(settings) && message.contains(reason),
                 qPrintable(message));
        QCOMPARE(window.context(), SetupAppPaths(app.path()));
        QCOMPARE(ShownCaption(window), ExpectedCaption(app.path() + u"morva.mvs"_s));

        dialogs.clear();
        QVERIFY(window.close());
        QVERIFY(dialogs.kinds().isEmpty());
        if (content.isNull())
            QVERIFY(QFileInfo::exists(settings + u"/kept"_s));
        else
            QCOMPARE(FileBytes(settings), content);
    }

    // A schedule opened from a folder whose name holds quotes, commas or line
    // ends is reopened at the next start, run after run, and the settings
    // file stays the same.
    void scheduleInAnyFolderReopensRunAfterRun_data() {
        QTest::addColumn<QString>("folderName");
        QTest::newRow("quote and comma") << u"say \"hi\", then"_s;
        QTest::newRow("line feed") << u"two\nlines"_s;
        QTest::newRow("CR LF and a quote") << u"x\r\n\"y"_s;
        QTest::newRow("tab and non-ASCII") << u"\t\u65E5\u672C"_s;
        QTest::newRow("none of these") << u"plain"_s;
    }

    void scheduleInAnyFolderReopensRunAfterRun() {
        QFETCH(QString, folderName);
        TestFolder app;
        TestFolder other;
        QVERIFY(QDir(other.path()).mkdir(folderName));
        const QString folder = other.file(folderName) + u'/';
        QVERIFY(WriteSchedule(folder, u"SPRING.mvs"_s, SampleDocument()));
        const QString settings = app.file(QString::fromUtf16(SystemInfoFileName));

        QByteArray previous;
        for (int run = 0; run < 3; ++run) {
            ScriptedDialogs dialogs;
            MainForm window(dialogs, app.path());
            window.Form_Load();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            if (run == 0) {
                dialogs.answerFile(folder + u"SPRING.mvs"_s);
                QTest::mouseClick(window.findChild<QPushButton*>(u"OpenCmd"_s), Qt::LeftButton);
            }
            QVERIFY(dialogs.messages().isEmpty());
            QCOMPARE(ShownCaption(window), ExpectedCaption(folder + u"SPRING.mvs"_s));
            QCOMPARE(window.document().document(), SampleDocument());
            QVERIFY(window.close());
            QVERIFY(dialogs.messages().isEmpty());
            const QByteArray written = FileBytes(settings);
            QVERIFY(run == 0 || written == previous);
            previous = written;
        }
    }
};

QTEST_MAIN(TestDamagedSystemInfo)
#include "tst_damagedsysteminfo.moc"

// What the program decides without a window: SystemInfo.txt and which list
// commands are enabled.

#include "MainFormTestSupport.h"
#include "CommandAvailability.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray line(QByteArrayView value) {
    return '"' + value.toByteArray() + "\"\r\n";
}

// Six lines starting with the open folder; the rest reads back as /s/ /c/
// d.mvs /m/ / /f/.
QByteArray sixLines(QByteArrayView open) {
    return line(open) + line("/s/") + line("/c/") + line("d.mvs") + line("/m/") +
           "\"/\",\"/f/\"\r\n";
}

// The seven remembered values and the language, in the file's order.
QStringList values(const AppContext& c) {
    return {
        c.openFolder,  c.saveFolder,      c.scheduleFolder,   c.scheduleFileName,
        c.mediaFolder, c.copyTargetDrive, c.copyTargetFolder, QString::number(c.languageSelector)};
}

const QString InfoName = QString::fromUtf16(SystemInfoFileName);

} // namespace

class TestMainWindowLogic final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What was read stays, even from a damaged file; the rest keeps its start
    // value. A folder gets its final separator; the drive and the file name
    // do not.
    void readSystemInfo_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QString>("read");       // the values taken from it, '|' between
        QTest::newRow("full") << sixLines("/o") + line("2") << u"/o/|/s/|/c/|d.mvs|/m/|/|/f/|2"_s;
        QTest::newRow("no language line") << sixLines("/o/") << u"/o/|/s/|/c/|d.mvs|/m/|/|/f/"_s;
        QTest::newRow("missing") << QByteArray() << QString();
        QTest::newRow("three lines") << line("/a/") + line("/b/") + line("/c/") << u"/a/|/b/|/c/"_s;
        QTest::newRow("empty") << QByteArray("") << QString();
        QTest::newRow("unclosed quote") << line("/a/") + "\"/b/\r\n" << u"/a/"_s;
    }

    void readSystemInfo() {
        QFETCH(QByteArray, content);
        QFETCH(QString, read);
        const QStringList taken = read.split(u'|', Qt::SkipEmptyParts);
        const auto status = content.isNull()    ? SystemInfoStatus::Missing
                            : taken.size() >= 7 ? SystemInfoStatus::Read
                                                : SystemInfoStatus::Damaged;
        TestFolder app;
        QVERIFY(content.isNull() || WriteBytes(app.file(InfoName), content));
        AppContext context = SetupAppPaths(app.path());
        context.languageSelector = 0; // no file holds it, so a kept value shows
        QStringList expected = values(context);
        for (qsizetype i = 0; i < taken.size(); ++i)
            expected[i] = taken[i];

        QCOMPARE(ReadSystemInfo(context), status);
        QCOMPARE(values(context), expected);
        // A damaged file goes, so the next exit writes a complete one.
        QCOMPARE(FolderEntries(app.path()),
                 status == SystemInfoStatus::Read ? QStringList{InfoName} : QStringList());
    }

    // Read, then written again, a file comes back byte for byte: seven
    // quoted lines, and a comma in a folder name stays inside its value. The
    // start values end in the separator and name the volume of the folder.
    void writtenExactlyAsRead() {
        TestFolder app;
        const AppContext start = SetupAppPaths(app.dir.path());
        QCOMPARE(start.appFolder, app.path());
        QVERIFY(!start.copyTargetDrive.isEmpty() && app.path().startsWith(start.copyTargetDrive));
        const QByteArray file = sixLines("/a,b/") + line("2");
        QVERIFY(WriteBytes(app.file(InfoName), file));
        AppContext context = start;
        QCOMPARE(ReadSystemInfo(context), SystemInfoStatus::Read);
        QVERIFY(QFile::remove(app.file(InfoName)) && WriteSystemInfo(context));
        QCOMPARE(FileBytes(app.file(InfoName)), file);
    }

    // A write that fails half way (here: the file size limit of a child
    // process, which holds for root too) leaves the old file byte for byte.
    void failedWriteKeepsTheOldFile() {
        TestFolder app;
        const QByteArray old = sixLines("/old/");
        QVERIFY(WriteBytes(app.file(InfoName), old));
        AppContext context = SetupAppPaths(app.path());
        context.openFolder = QString(400, u'x');

        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(WriteSystemInfo(context) ? 0 : 1);
        }
        int status = 0;
        QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 1);
        QCOMPARE(FileBytes(app.file(InfoName)), old);
        QCOMPARE(FolderEntries(app.path()), QStringList{InfoName}); // nor a temporary file
    }

    // Per list, '1' or '0' for Add, Modify, Remove, Move Up and Move Down.
    void buttonStatusSetup_data() {
        QTest::addColumn<QList<int>>("rows"); // basic, advance, detail
        QTest::addColumn<QString>("enabled");
        // Without an advance entry there is nothing to add details to.
        QTest::newRow("empty") << QList<int>{0, 0, 0} << u"10000 10000 00000"_s;
        QTest::newRow("advance entry without details")
            << QList<int>{0, 1, 0} << u"10000 11100 10000"_s;
        QTest::newRow("two of each") << QList<int>{2, 2, 2} << u"11111 11111 11111"_s;
    }

    void buttonStatusSetup() {
        QFETCH(QList<int>, rows);
        const CommandAvailability state = ButtonStatusSetup(rows[0], rows[1], rows[2]);
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

QTEST_GUILESS_MAIN(TestMainWindowLogic)
#include "tst_mainwindowlogic.moc"

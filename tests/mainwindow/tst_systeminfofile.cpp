// SystemInfo.txt keeps any folder the file system allows, writes ordinary
// ones exactly as it always has, loses only a bad value, and leaves a file it
// cannot read where it is.

#include "MainFormTestSupport.h"
#include "SystemInfoValue.h"

#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString InfoName = QString::fromUtf16(SystemInfoFileName);

// The seven remembered values and the language, in the file's order.
QStringList values(const AppContext& c) {
    return {
        c.openFolder,  c.saveFolder,      c.scheduleFolder,   c.scheduleFileName,
        c.mediaFolder, c.copyTargetDrive, c.copyTargetFolder, QString::number(c.languageSelector)};
}

QByteArray line(QByteArrayView stored) {
    return '"' + stored.toByteArray() + "\"\r\n";
}

// A complete file with line 'at' (0 to 6, 5 being the drive) stored as given.
QByteArray fileWith(int at, QByteArrayView stored) {
    QList<QByteArray> lines = {"/o/", "/s/", "/c/", "d.mvs", "/m/", "/", "/f/"};
    lines[at] = stored.toByteArray();
    QByteArray file;
    for (int i = 0; i < 7; ++i)
        file += i == 5 ? '"' + lines[i] + "\"," : line(lines[i]);
    return file + line("2");
}

// Every line holds its quoted values and nothing between their quotes that
// could end a value early or start a new line: a reader that knows nothing of
// escapes still finds seven values and the language in their places.
bool plainToAnyReader(const QByteArray& file) {
    const QList<QByteArray> lines = file.split('\n');
    if (lines.size() != 8 || !lines.constLast().isEmpty())
        return false;
    for (qsizetype i = 0; i < 7; ++i) {
        QByteArray text = lines[i];
        if (!text.startsWith('"') || !text.endsWith("\"\r") || text.count('"') != (i == 5 ? 4 : 2))
            return false;
        text.chop(1);
        if (std::any_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x20; }))
            return false;
    }
    return lines[5].contains("\",\"");
}

} // namespace

class TestSystemInfoFile final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Paths without a quote or a control character are written byte for
    // byte as the file has always held them, so older copies of the program
    // and the player read them as before.
    void ordinaryValuesWrittenAsBefore_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("folderLine");
        QTest::addColumn<QByteArray>("fileNameLine");
        QTest::newRow("plain") << u"/home/user/"_s << u"morva.mvs"_s
                               << QByteArray("\"/home/user/\"\r\n")
                               << QByteArray("\"morva.mvs\"\r\n");
        QTest::newRow("comma") << u"/home/a,b/"_s << u"x,y.mvs"_s
                               << QByteArray("\"/home/a,b/\"\r\n") << QByteArray("\"x,y.mvs\"\r\n");
        QTest::newRow("spaces at the ends")
            << u"/home/ a b /"_s << u" s.mvs "_s << QByteArray("\"/home/ a b /\"\r\n")
            << QByteArray("\" s.mvs \"\r\n");
        QTest::newRow("non-ASCII")
            << u"/home/j\u00FCrgen/\u65E5\u672C/"_s << u"\u00E9t\u00E9.mvs"_s
            << QByteArray("\"/home/j\xC3\xBCrgen/\xE6\x97\xA5\xE6\x9C\xAC/\"\r\n")
            << QByteArray("\"\xC3\xA9t\xC3\xA9.mvs\"\r\n");
        QTest::newRow("percent signs, as an escape would write them")
            << u"/home/a%22b%/"_s << u"%0A.mvs"_s << QByteArray("\"/home/a%22b%/\"\r\n")
            << QByteArray("\"%0A.mvs\"\r\n");
        QTest::newRow("the root, and a name of slashes' neighbours")
            << u"/"_s << u"\\\\.mvs"_s << QByteArray("\"/\"\r\n") << QByteArray("\"\\\\.mvs\"\r\n");
    }

    void ordinaryValuesWrittenAsBefore() {
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, folderLine);
        QFETCH(QByteArray, fileNameLine);
        AppContext context = SetupAppPaths(u"/opt/morva/"_s);
        context.openFolder = context.saveFolder = context.scheduleFolder = context.mediaFolder =
            context.copyTargetFolder = folder;
        context.copyTargetDrive = u"/media/usb"_s;
        context.scheduleFileName = fileName;
        folderLine.chop(2);
        QCOMPARE(FormatSystemInfo(context),
                 folderLine + "\r\n" + folderLine + "\r\n" + folderLine + "\r\n" + fileNameLine +
                     folderLine + "\r\n\"/media/usb\"," + folderLine + "\r\n\"1\"\r\n");
    }

    // Any folder the file system allows, made on disk, comes back from the
    // file exactly, and the file stays the same over repeated runs.
    void everyFolderRoundTrips_data() {
        QTest::addColumn<QString>("name"); // of a folder, and of the schedule file
        QTest::newRow("quote") << u"say \"hi\""_s;
        QTest::newRow("quote and comma") << u"a\",\"b"_s;
        QTest::newRow("line feed") << u"two\nlines"_s;
        QTest::newRow("carriage return") << u"cr\rhere"_s;
        QTest::newRow("CR LF, as a line ends") << u"x\r\n\"evil\",\"\r\n"_s;
        QTest::newRow("tab") << u"a\tb"_s;
        QTest::newRow("other control characters") << u"\x01\x1b\x1f\x7f"_s;
        QTest::newRow("non-ASCII") << u"\u65E5\u672C\u8A9E \u00FC \U0001F600"_s;
        QTest::newRow("spaces at the ends") << u"  both  "_s;
        QTest::newRow("percent escapes with a quote") << u"%22\"%zz%"_s;
        QTest::newRow("begins with a byte order mark") << u"\uFEFFbom"_s;
        QTest::newRow("none of these") << u"plain name"_s;
    }

    void everyFolderRoundTrips() {
        QFETCH(QString, name);
        TestFolder app;
        TestFolder places;
        QVERIFY(QDir(places.path()).mkpath(name + u"/inner"_s));
        const QString folder = places.path() + name + u'/';
        AppContext context = SetupAppPaths(app.path());
        context.openFolder = folder;
        context.saveFolder = folder + u"inner/"_s;
        context.scheduleFolder = u"/"_s + folder; // starts with "//", as an escaped value does
        context.scheduleFileName = name + u".mvs"_s;
        context.mediaFolder = folder;
        context.copyTargetDrive = u"/"_s + name.left(1);
        context.copyTargetFolder = folder;
        context.languageSelector = 2;

        QVERIFY(WriteSystemInfo(context));
        const QByteArray first = FileBytes(app.file(InfoName));
        QVERIFY2(plainToAnyReader(first), first.constData());
        AppContext read = SetupAppPaths(app.path());
        QCOMPARE(ReadSystemInfo(read), SystemInfoStatus::Read);
        QCOMPARE(values(read), values(context));
        QVERIFY(QFileInfo(read.saveFolder).isDir());

        QVERIFY(WriteSystemInfo(read));
        QCOMPARE(FileBytes(app.file(InfoName)), first);
    }

    // One bad value keeps its start value; every other value, the language
    // among them, is taken from the file.
    void badValueLosesOnlyItself_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("tab in a folder") << 0 << QByteArray("/a\tb/");
        QTest::newRow("NUL in a folder") << 1 << QByteArray("/a\0b/", 5);
        QTest::newRow("line end written unescaped") << 2 << QByteArray("/two\nlines/");
        QTest::newRow("a folder that is not absolute") << 4 << QByteArray("relative/");
        QTest::newRow("an empty folder") << 6 << QByteArray("");
        QTest::newRow("an empty drive") << 5 << QByteArray("");
        QTest::newRow("a file name with a folder in it") << 3 << QByteArray("../x.mvs");
        QTest::newRow("a file name that is a folder") << 3 << QByteArray("..");
        QTest::newRow("a broken escape") << 0 << QByteArray("///a%2");
        QTest::newRow("an escape that is no hex") << 0 << QByteArray("///a%zzb/");
        QTest::newRow("an escaped NUL") << 6 << QByteArray("///a%00b/");
        QTest::newRow("bytes that are not UTF-8") << 4 << QByteArray("/caf\xE9/");
        QTest::newRow("an unclosed quote") << 2 << QByteArray("/c/\r\n");
    }

    void badValueLosesOnlyItself() {
        QFETCH(int, at);
        QFETCH(QByteArray, stored);
        TestFolder app;
        QByteArray file = fileWith(at, stored);
        if (stored.endsWith("\r\n")) // the quote that would close it is gone
            file.replace('"' + stored + "\"\r\n", '"' + stored);
        QVERIFY(WriteBytes(app.file(InfoName), file));
        AppContext context = SetupAppPaths(app.path());
        QStringList expected = {u"/o/"_s, u"/s/"_s, u"/c/"_s, u"d.mvs"_s,
                                u"/m/"_s, u"/"_s,   u"/f/"_s, u"2"_s};
        expected[at] = values(context)[at];

        QCOMPARE(ReadSystemInfo(context), SystemInfoStatus::Damaged);
        QCOMPARE(values(context), expected);
    }

    // A value stored escaped by a newer copy and one as the file always held
    // it read the same.
    void escapedAndPlainReadAlike_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("/a b/") << u"/a b/"_s;
        QTest::newRow("escaped plain") << QByteArray("///a b/") << u"/a b/"_s;
        QTest::newRow("lower-case hex") << QByteArray("///a%0ab/") << u"/a\nb/"_s;
        QTest::newRow("escaped non-ASCII") << QByteArray("///%C3%BC/") << u"/\u00FC/"_s;
        QTest::newRow("percent in a plain value") << QByteArray("/%41/") << u"/%41/"_s;
    }

    void escapedAndPlainReadAlike() {
        QFETCH(QByteArray, stored);
        QTEST(DecodeSystemInfoValue(stored).value_or(u"(bad)"_s), "value");
    }

    // A file that cannot be read is reported and left exactly as it is; the
    // start values stay.
    void unreadableFileLeftInPlace_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder in the way") << u"folder"_s;
        QTest::newRow("larger than any settings") << u"large"_s;
        QTest::newRow("a FIFO") << u"fifo"_s;
        QTest::newRow("a link to nothing") << u"dangling"_s;
    }

    void unreadableFileLeftInPlace() {
        QFETCH(QString, kind);
        TestFolder app;
        const QString path = app.file(InfoName);
        const QByteArray large = fileWith(0, QByteArray(2 * 1024 * 1024, 'x'));
        if (kind == u"folder"_s)
            QVERIFY(QDir(app.path()).mkpath(InfoName + u"/kept"_s));
        else if (kind == u"large"_s)
            QVERIFY(WriteBytes(path, large));
        else if (kind == u"fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(app.file(u"gone"_s), path));
        const QStringList entries = FolderEntries(app.path());
        AppContext context = SetupAppPaths(app.path());
        const AppContext start = context;

        QString error;
        QCOMPARE(ReadSystemInfo(context, &error), SystemInfoStatus::Unreadable);
        QVERIFY(!error.isEmpty());
        QCOMPARE(context, start);
        QCOMPARE(FolderEntries(app.path()), entries);
        QVERIFY(QFileInfo(path).isSymLink() || QFileInfo::exists(path));
        QVERIFY(kind != u"folder"_s || QFileInfo::exists(path + u"/kept"_s));
        QVERIFY(kind != u"large"_s || FileBytes(path) == large);
    }

    // A file its reader may not read is left in place even where the reader
    // could delete it. Permission bits do not stop root, so the reading runs
    // as an ordinary user.
    void fileWithoutReadPermissionLeftInPlace() {
        TestFolder app;
        const QString path = app.file(InfoName);
        const QByteArray content = fileWith(0, "/mine/");
        QVERIFY(WriteBytes(path, content));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        // Anyone may remove the file from this folder.
        QVERIFY(::chmod(QFile::encodeName(app.dir.path()).constData(), 0777) == 0);

        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 &&
                (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(3);
            AppContext context = SetupAppPaths(app.path());
            const AppContext start = context;
            QString error;
            const SystemInfoStatus status = ReadSystemInfo(context, &error);
            _exit(status == SystemInfoStatus::Unreadable && context == start && !error.isEmpty()
                      ? 0
                      : 1);
        }
        int status = 0;
        QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3)
            QSKIP("cannot read as an ordinary user here");
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(FileBytes(path), content);
    }
};

QTEST_GUILESS_MAIN(TestSystemInfoFile)
#include "tst_systeminfofile.moc"

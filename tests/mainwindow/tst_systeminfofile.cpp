// SystemInfo.txt keeps any folder the file system allows, writes ordinary
// ones exactly as it always has, loses only a bad value, and leaves a file it
// cannot read where it is.

#include "MainFormTestSupport.h"

#include <QTest>

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
        QTest::addColumn<QByteArray>("folderValue");
        QTest::addColumn<QByteArray>("fileNameValue");
        QTest::newRow("plain") << u"/home/user/"_s << u"morva.mvs"_s << QByteArray("/home/user/")
                               << QByteArray("morva.mvs");
        QTest::newRow("commas, spaces at the ends, percent signs, backslashes")
            << u"/home/ a,b%22%/"_s << u" x,y\\\\%0A.mvs "_s << QByteArray("/home/ a,b%22%/")
            << QByteArray(" x,y\\\\%0A.mvs ");
        QTest::newRow("non-ASCII") << u"/home/j\u00FCrgen/\u65E5\u672C/"_s << u"\u00E9t\u00E9.mvs"_s
                                   << QByteArray("/home/j\xC3\xBCrgen/\xE6\x97\xA5\xE6\x9C\xAC/")
                                   << QByteArray("\xC3\xA9t\xC3\xA9.mvs");
        QTest::newRow("the root") << u"/"_s << u"x.mvs"_s << QByteArray("/") << QByteArray("x.mvs");
    }

    void ordinaryValuesWrittenAsBefore() {
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, folderValue);
        QFETCH(QByteArray, fileNameValue);
        AppContext context = SetupAppPaths(u"/opt/morva/"_s);
        context.openFolder = context.saveFolder = context.scheduleFolder = context.mediaFolder =
            context.copyTargetFolder = folder;
        context.copyTargetDrive = u"/media/usb"_s;
        context.scheduleFileName = fileName;
        const QByteArray folderLine = line(folderValue);
        QCOMPARE(FormatSystemInfo(context), folderLine.repeated(3) + line(fileNameValue) +
                                                folderLine + "\"/media/usb\"," + folderLine +
                                                "\"1\"\r\n");
    }

    // Any folder the file system allows, made on disk, comes back from the
    // file exactly, and the file stays the same over repeated runs.
    void everyFolderRoundTrips_data() {
        QTest::addColumn<QString>("name"); // of a folder, and of the schedule file
        QTest::newRow("quote and comma") << u"say \"hi\",\"b"_s;
        QTest::newRow("CR LF, as a line ends") << u"x\r\n\"evil\",\"\r\n"_s;
        QTest::newRow("lone line feed, lone carriage return") << u"two\nlines\rhere"_s;
        QTest::newRow("tab and other control characters") << u"a\tb\x01\x1b\x1f\x7f"_s;
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

    // A value reads the same whether a newer copy stored it escaped or it is
    // stored as the file always held it. A bad value keeps its start value;
    // every other value, the language among them, is taken from the file.
    void readValue_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("value"); // null: bad, the file is damaged
        QTest::newRow("escaped plain") << 0 << QByteArray("///a b/") << u"/a b/"_s;
        QTest::newRow("lower-case hex") << 2 << QByteArray("///a%0ab/") << u"/a\nb/"_s;
        QTest::newRow("escaped non-ASCII") << 4 << QByteArray("///%C3%BC/") << u"/\u00FC/"_s;
        QTest::newRow("percent in a plain value") << 6 << QByteArray("/%41/") << u"/%41/"_s;
        QTest::newRow("tab in a folder") << 0 << QByteArray("/a\tb/") << QString();
        QTest::newRow("NUL in a folder") << 1 << QByteArray("/a\0b/", 5) << QString();
        QTest::newRow("line end written unescaped") << 2 << QByteArray("/two\nlines/") << QString();
        QTest::newRow("a folder that is not absolute") << 4 << QByteArray("relative/") << QString();
        QTest::newRow("an empty folder") << 6 << QByteArray("") << QString();
        QTest::newRow("an empty drive") << 5 << QByteArray("") << QString();
        QTest::newRow("a file name with a folder in it")
            << 3 << QByteArray("../x.mvs") << QString();
        QTest::newRow("a file name that is a folder") << 3 << QByteArray("..") << QString();
        QTest::newRow("a broken escape") << 0 << QByteArray("///a%2") << QString();
        QTest::newRow("an escape that is no hex") << 0 << QByteArray("///a%zzb/") << QString();
        QTest::newRow("an escaped NUL") << 6 << QByteArray("///a%00b/") << QString();
        QTest::newRow("bytes that are not UTF-8") << 4 << QByteArray("/caf\xE9/") << QString();
        QTest::newRow("an unclosed quote") << 2 << QByteArray("/c/\r\n") << QString();
    }

    void readValue() {
        QFETCH(int, at);
        QFETCH(QByteArray, stored);
        QFETCH(QString, value);
        TestFolder app;
        QByteArray file = fileWith(at, stored);
        if (stored.endsWith("\r\n")) // the quote that would close it is gone
            file.replace('"' + stored + "\"\r\n", '"' + stored);
        QVERIFY(WriteBytes(app.file(InfoName), file));
        AppContext context = SetupAppPaths(app.path());
        QStringList expected = {u"/o/"_s, u"/s/"_s, u"/c/"_s, u"d.mvs"_s,
                                u"/m/"_s, u"/"_s,   u"/f/"_s, u"2"_s};
        expected[at] = value.isNull() ? values(context)[at] : value;

        QCOMPARE(ReadSystemInfo(context),
                 value.isNull() ? SystemInfoStatus::Damaged : SystemInfoStatus::Read);
        QCOMPARE(values(context), expected);
    }

    // A file that cannot be read is reported and left exactly as it is, even
    // where its reader could delete it; the start values stay. The reading
    // runs as an ordinary user, whom permission bits stop.
    void unreadableFileLeftInPlace_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in the way") << u"folder"_s << u"not a regular file"_s;
        QTest::newRow("a 2 MB first line") << u"large"_s << u"larger than"_s;
        QTest::newRow("a complete file, then 2 MB") << u"long tail"_s << u"larger than"_s;
        QTest::newRow("a FIFO") << u"fifo"_s << u"not a regular file"_s;
        QTest::newRow("a link to nothing") << u"dangling"_s << u"No such file"_s;
        QTest::newRow("no read permission") << u"write-only"_s << u"Permission denied"_s;
    }

    void unreadableFileLeftInPlace() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestFolder app;
        const QString path = app.file(InfoName);
        const QByteArray content = kind == u"long tail"_s
                                       ? fileWith(0, "/o/") + QByteArray(2 * 1024 * 1024, 'x')
                                       : fileWith(0, QByteArray(2 * 1024 * 1024, 'x'));
        if (kind == u"folder"_s)
            QVERIFY(QDir(app.path()).mkpath(InfoName + u"/kept"_s));
        else if (kind == u"fifo"_s)
            QVERIFY(MakeFifo(path));
        else if (kind == u"dangling"_s)
            QVERIFY(QFile::link(app.file(u"gone"_s), path));
        else
            QVERIFY(WriteBytes(path, content));
        QVERIFY(kind != u"write-only"_s || SetMode(path, 0200));
        // Anyone may remove the file from this folder.
        QVERIFY(SetMode(app.dir.path(), 0777));
        const auto before = FolderSnapshot(app.path());

        // 0: unreadable with the reason, start values kept; 1: otherwise.
        const int read = ExitCodeInChild([&] {
            // Only the missing permission needs a reader it stops.
            if (!BecomeOrdinaryUser() && kind == u"write-only"_s)
                return NoOrdinaryUser;
            AppContext context = SetupAppPaths(app.path());
            const AppContext start = context;
            QString error;
            const SystemInfoStatus status = ReadSystemInfo(context, &error);
            return status == SystemInfoStatus::Unreadable && context == start &&
                           error.contains(reason)
                       ? 0
                       : 1;
        });
        if (read == NoOrdinaryUser)
            QSKIP("cannot read as an ordinary user here");
        QCOMPARE(read, 0);
        QCOMPARE(FolderSnapshot(app.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestSystemInfoFile)
#include "tst_systeminfofile.moc"

// SystemInfo.txt keeps any folder the file system allows, writes ordinary
// ones exactly as it always has, loses only a bad value, and leaves a file it
// cannot read where it is.

#include "TestFiles.h"

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

} // namespace

class TestSystemInfoFile final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Paths without a quote or a control character (commas, percent signs,
    // backslashes and non-ASCII letters included) are written byte for byte
    // as the file has always held them, so older copies of the program and
    // the player read them as before.
    void ordinaryValuesWrittenAsBefore() {
        AppContext context = SetupAppPaths(u"/opt/morva/"_s);
        context.openFolder = context.saveFolder = context.scheduleFolder = context.mediaFolder =
            context.copyTargetFolder = u"/home/ a,b%22%/j\u00FCrgen/"_s;
        context.copyTargetDrive = u"/media/usb"_s;
        context.scheduleFileName = u" x,y\\\\%0A.mvs "_s;
        const QByteArray folderLine = line("/home/ a,b%22%/j\xC3\xBCrgen/");
        QCOMPARE(FormatSystemInfo(context), folderLine.repeated(3) + line(" x,y\\\\%0A.mvs ") +
                                                folderLine + "\"/media/usb\"," + folderLine +
                                                "\"1\"\r\n");
    }

    // Any folder the file system allows, made on disk, comes back from the
    // file exactly, and the file stays the same over repeated runs.
    void everyFolderRoundTrips_data() {
        QTest::addColumn<QString>("name"); // of a folder, and of the schedule file
        QTest::newRow("quote, comma, percent escapes") << u"say \"hi\",\"b%22%zz%"_s;
        QTest::newRow("line ends, tab and other control characters")
            << u"x\r\n\"evil\",\"\r\ntwo\nlines\rhere\tb\x01\x1b\x1f\x7f"_s;
        QTest::newRow("non-ASCII, spaces at the ends") << u"  \u65E5\u672C \u00FC \U0001F600  "_s;
        QTest::newRow("begins with a byte order mark") << u"\uFEFFbom"_s;
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
        // Quotes and control characters only where the lines put them: a
        // reader that knows nothing of escapes still finds every value.
        QCOMPARE(first.count('"'), 16);
        QCOMPARE(std::count_if(first.begin(), first.end(), [](char c) { return uchar(c) < 0x20; }),
                 14);
        AppContext read = SetupAppPaths(app.path());
        QCOMPARE(ReadSystemInfo(read).status, SystemInfoStatus::Read);
        QCOMPARE(values(read), values(context));
        QVERIFY(QFileInfo(read.saveFolder).isDir());

        QVERIFY(WriteSystemInfo(read));
        QCOMPARE(FileBytes(app.file(InfoName)), first);
    }

    // A value reads the same whether a newer copy stored it escaped or it is
    // stored as the file always held it. A bad value keeps its start value and
    // the file is deleted at once, so it cannot mislead a later start; every
    // other value, the language among them, is taken from the file.
    void readValue_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("at");        // the value that differs from fileWith's
        QTest::addColumn<QString>("value"); // null: its start value
        QTest::addColumn<bool>("damaged");
        const QByteArray whole = fileWith(0, "/o/"); // every value as fileWith has it
        const QString start;
        QTest::newRow("lower-case hex") << fileWith(2, "///a%0ab/") << 2 << u"/a\nb/"_s << false;
        QTest::newRow("percent in a plain value")
            << fileWith(6, "/%41/") << 6 << u"/%41/"_s << false;
        QTest::newRow("LF line ends")
            << QByteArray(whole).replace("\r\n", "\n") << 0 << u"/o/"_s << false;
        // The language line is optional: without it the file is whole.
        QTest::newRow("an unclosed quote in the language line")
            << whole.chopped(3) << 7 << start << false;
        QTest::newRow("tab in a folder") << fileWith(0, "/a\tb/") << 0 << start << true;
        QTest::newRow("line end written unescaped")
            << fileWith(2, "/two\nlines/") << 2 << start << true;
        QTest::newRow("a folder that is not absolute")
            << fileWith(4, "relative/") << 4 << start << true;
        QTest::newRow("a file name with a folder in it")
            << fileWith(3, "../x.mvs") << 3 << start << true;
        QTest::newRow("a file name that is a folder") << fileWith(3, "..") << 3 << start << true;
        QTest::newRow("a broken escape") << fileWith(0, "///a%2") << 0 << start << true;
        QTest::newRow("an escape that is no hex") << fileWith(0, "///a%zzb/") << 0 << start << true;
        QTest::newRow("an escaped NUL") << fileWith(6, "///a%00b/") << 6 << start << true;
        QTest::newRow("bytes that are not UTF-8") << fileWith(4, "/caf\xE9/") << 4 << start << true;
        // The values after it stay in their places.
        QTest::newRow("an unclosed quote")
            << QByteArray(whole).replace("/c/\"", "/c/") << 2 << start << true;
    }

    void readValue() {
        QFETCH(QByteArray, file);
        QFETCH(int, at);
        QFETCH(QString, value);
        QFETCH(bool, damaged);
        TestFolder app;
        QVERIFY(WriteBytes(app.file(InfoName), file));
        AppContext context = SetupAppPaths(app.path());
        QStringList expected = {u"/o/"_s, u"/s/"_s, u"/c/"_s, u"d.mvs"_s,
                                u"/m/"_s, u"/"_s,   u"/f/"_s, u"2"_s};
        expected[at] = value.isNull() ? values(context)[at] : value;

        QCOMPARE(ReadSystemInfo(context).status,
                 damaged ? SystemInfoStatus::Damaged : SystemInfoStatus::Read);
        QCOMPARE(values(context), expected);
        QCOMPARE(QFile::exists(app.file(InfoName)), !damaged);
    }

    // A file that cannot be read is reported and left exactly as it is, even
    // where its reader could delete it; the start values stay. The reading
    // runs as an ordinary user, whom permission bits stop.
    void unreadableFileLeftInPlace_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
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
        if (kind == u"fifo"_s)
            QVERIFY(MakeFifo(path));
        else if (kind == u"dangling"_s)
            QVERIFY(QFile::link(app.file(u"gone"_s), path));
        else
            QVERIFY(WriteBytes(path, fileWith(0, "/o/") + QByteArray(2 * 1024 * 1024, 'x')));
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
            const SystemInfoReading reading = ReadSystemInfo(context);
            return reading.status == SystemInfoStatus::Unreadable && context == start &&
                           reading.reason.contains(reason)
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

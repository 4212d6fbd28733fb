#include "TestEntries.h"
#include "TestFiles.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <fcntl.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
    int exitCode = -1; // stays -1 after a crash or a hang
    QByteArray out;
    QByteArray err;
};

// Runs in the child between fork and exec.
using ChildSetup = std::function<void()>;

const QByteArray PreciousBytes = "an older schedule that must survive\n";

const QByteArray DesignExample = R"({
  "basic": [
    {"name": "SONG", "extension": "MP3", "playTimes": 5, "volume": 17}
  ],
  "advance": [
    {"startDate": "2006-12-28", "startTime": "00:00:00",
     "stopDate": "2007-01-05", "stopTime": "23:59:59",
     "weekDay": 7,
     "details": [{"name": "CLIP", "extension": "", "playTimes": 1, "volume": 0}]}
  ]
}
)";

// 2026-12-06 is a Sunday, 2026-12-07 a Monday.
const QByteArray WeekOfPeriods = R"({"basic": [{"name": "SONG", "extension": "MP3"}], "advance": [
 {"startDate": "2026-12-06", "startTime": "00:00:00", "stopDate": "2026-12-06", "stopTime": "23:59:59", "weekDay": 1, "details": [{"name": "A", "extension": ""}]},
 {"startDate": "2026-01-01", "startTime": "08:00:00", "stopDate": "2026-12-31", "stopTime": "17:30:00", "weekDay": 7, "details": [{"name": "A", "extension": ""}]},
 {"startDate": "2026-12-07", "startTime": "12:00:00", "stopDate": "2026-12-31", "stopTime": "20:00:00", "weekDay": 1, "details": [{"name": "A", "extension": ""}]},
 {"startDate": "2026-01-01", "startTime": "08:00:00", "stopDate": "2026-12-31", "stopTime": "17:30:00", "weekDay": 7, "details": [{"name": "B", "extension": ""}]},
 {"startDate": "2025-01-01", "startTime": "08:00:00", "stopDate": "2025-12-31", "stopTime": "17:30:00", "weekDay": 7, "details": [{"name": "B", "extension": ""}]}
]})";

const QByteArray OneMedia = R"({"name": "A", "extension": ""})";
const QByteArray Period = R"("startDate": "2006-01-01", "stopDate": "2006-12-31")";

QByteArray jsonList(const QByteArray& item, int count) {
    return "[" + QByteArray(item + ", ").repeated(count - 1) + item + "]";
}

// A document of one advance entry with a valid detail; fields give its period.
QByteArray advanceJson(const QByteArray& fields) {
    return R"({"advance": [{)" + fields + R"(, "details": [)" + OneMedia + "]}]}";
}

} // namespace

class TestMvstool final : public QObject {
    Q_OBJECT

    std::optional<TestFolder> m_dir;

    // Runs the real binary in the test folder, so that relative names appear in
    // its messages as given. Arguments are separated by single spaces.
    ToolRun run(const char* arguments, const ChildSetup& childSetup = {}) {
        return run(QString::fromUtf8(arguments).split(u' ', Qt::SkipEmptyParts), childSetup);
    }
    ToolRun run(const QStringList& arguments, const ChildSetup& childSetup = {}) {
        QProcess process;
        process.setWorkingDirectory(m_dir->dir.path());
        process.setChildProcessModifier(childSetup ? childSetup : [] {});
        process.start(QStringLiteral(MVSTOOL_PATH), arguments);
        ToolRun result;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            result = {process.exitCode(), process.readAllStandardOutput(),
                      process.readAllStandardError()};
        return result;
    }

    void writeFile(const char* name, const QByteArray& bytes) {
        QVERIFY(WriteBytes(m_dir->file(QString::fromUtf8(name)), bytes));
    }

    QByteArray readFile(const char* name) {
        return FileBytes(m_dir->file(QString::fromUtf8(name)));
    }

    void writeSchedule(const char* name, const ScheduleDocument& document) {
        QVERIFY(WriteSchedule(m_dir->path(), QString::fromUtf8(name), document));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.emplace().dir.isValid()); }

    // JSON text comes back from build then dump in dump's layout (the whole
    // output for the example, the lines that differ from the input otherwise),
    // and check of the built file lists only what build keeps that the editor
    // never sets.
    void buildThenDump_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("dump"); // the whole output or a part of it
        QTest::addColumn<QByteArray>("problems");

        QTest::newRow("documented example") << DesignExample << DesignExample << QByteArray();
        QTest::newRow("upper case, defaults, widest values, leap day")
            << QByteArray(R"({"advance": [{"startDate": "2096-02-29", "stopDate": "2099-12-31",)"
                          R"( "details": [{"name": "a.b_c-0123456789", "extension": "jpeg",)"
                          R"( "playTimes": 100, "volume": 16, "reserved": [0, 0, 0, 0, 0, 255]},)"
                          R"( {"name": "", "extension": "mp3", "playTimes": 0, "volume": 0},)"
                          R"( {"name": "x", "extension": ""}]}]})")
            << QByteArray(
                   R"("details": [{"name": "A.B_C-0123456789", "extension": "JPEG", "playTimes": 100, "volume": 16, "reserved": [0, 0, 0, 0, 0, 255]},
                 {"name": "", "extension": "MP3", "playTimes": 0, "volume": 0},
                 {"name": "X", "extension": "", "playTimes": 1, "volume": 17}]}
)")
            << QByteArray("detail 1 of advance entry 1: reserved bytes [0, 0, 0, 0, 0, 255] are "
                          "not all 0\n");
    }

    void buildThenDump() {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, dump);
        QFETCH(QByteArray, problems);
        writeFile("in.json", json);
        writeFile("out.mvs", PreciousBytes); // replaced when the build succeeds
        const ToolRun built = run("build in.json --seed 7 -o out.mvs");
        QCOMPARE(built.exitCode, 0);
        QCOMPARE(built.out + built.err, QByteArray());
        const ToolRun dumped = run("dump out.mvs");
        QCOMPARE(dumped.exitCode, 0);
        QVERIFY2(json == dump ? dumped.out == dump : dumped.out.contains(dump),
                 dumped.out.constData());
        // A day before every period, so that none has ended.
        const ToolRun checked = run("check out.mvs --today 2000-01-01");
        QCOMPARE(checked.exitCode, problems.isEmpty() ? 0 : 1);
        QCOMPARE(checked.out + checked.err, problems);
        // The same seed gives the same bytes.
        QCOMPARE(run("build in.json --seed 7 -o again.mvs").exitCode, 0);
        QCOMPARE(readFile("again.mvs"), readFile("out.mvs"));
    }

    // Every failure: its exit status, one message naming the file (and for a
    // refused value its JSON path), and the existing output kept byte for byte.
    void failures_data() {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // how stderr starts, after "mvstool: "
        QTest::addColumn<ChildSetup>("childSetup");

        // The row is named by its command line.
        const auto fails = [](const char* arguments, const QByteArray& message,
                              const ChildSetup& setup = {}) {
            QTest::newRow(arguments)
                << QByteArray(arguments) << DesignExample << 2 << message << setup;
        };
        fails("frobnicate a.mvs", "unknown command \"frobnicate\"\n");
        fails("build in.json", "build needs the file to write: -o OUT.mvs\n");
        fails("build in.json -o out.mvs --seed 4294967296",
              "--seed takes a whole number from 0 to 4294967295, not \"4294967296\"\n");
        fails("dump none.mvs", "none.mvs: cannot be read: No such file or directory\n");
        fails("check out.mvs", "out.mvs: not a readable schedule file: the file does not begin "
                               "with \"MORVA\", as every schedule file does (byte offset 0)\n");
        fails("build none.json -o out.mvs",
              "none.json: cannot be read: No such file or directory\n");
        fails("build out.mvs -o new.mvs", "out.mvs: not valid JSON: ");
        fails("build big.json -o out.mvs",
              "big.json: is larger than 1 MiB, too large for the JSON of a schedule\n");
        // The output is the input under another name, a hard link or a symbolic
        // link to it: nothing is written.
        const QByteArray overInput =
            "is the input file in.json; build does not write over its input\n";
        fails("build in.json -o hard.json", "hard.json: " + overInput);
        fails("build in.json -o link.json", "link.json: " + overInput);
        // A file size limit fills the disk part-way through the write.
        fails("build in.json -o out.mvs",
              "out.mvs: cannot be written: ", [] { FillDiskAfter(64); });
        // Standard output on a full device.
        fails("dump a.mvs", "standard output: cannot be written\n",
              [] { dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO); });
        fails("at a.mvs 2026-02-29 10:00:00",
              "at needs a moment \"YYYY-MM-DD HH:MM:SS\" after the file, not \"2026-02-29 "
              "10:00:00\"\n");
        fails("at a.mvs 2026-02-28 24:00:00", "at needs a moment");
        fails("at a.mvs 2026-2-28 10:00:00", "at needs a moment");
        fails("at a.mvs", "at needs a moment \"YYYY-MM-DD HH:MM:SS\" after the file\n");
        fails("plan a.mvs 2026-12-07 10:00:00",
              "plan needs a date YYYY-MM-DD after the file, not \"2026-12-07 10:00:00\"\n");
        fails("check a.mvs --today 2026-12-32",
              "--today takes a date YYYY-MM-DD, not \"2026-12-32\"\n");
        fails("plan a.mvs 2026-12-07 --today 2026-12-07", "--today belongs to check only\n");
        fails("export a.mvs --media .", "export needs the media folder and the target: --media "
                                        "DIR --to DIR\n");
        fails("dump a.mvs --to .", "--media and --to belong to export only\n");
        // A drive that is not mounted is not made into a folder.
        fails("export a.mvs --media . --to unplugged",
              "unplugged: the target is not an existing folder\n");
        fails("export a.mvs --media none --to .", "none: the media folder is not an existing "
                                                  "folder\n");
        fails("export out.mvs --media . --to .", "out.mvs: not a readable schedule file: ");

        // Values the editor refuses, each named by its JSON path. The rules
        // themselves are tested with the schedule; these rows show where build
        // refuses them.
        const auto refused = [](const char* row, const QByteArray& json, const QByteArray& text) {
            QTest::newRow(row) << QByteArray("build in.json -o out.mvs") << json << 1
                               << "in.json: " + text << ChildSetup();
        };
        refused("name",
                R"({"advance": [{)" + Period + R"(, "details": [)" + OneMedia + "]}, {" + Period +
                    R"(, "details": [{"name": "MY CLIP", "extension": "AVI"}]}]})",
                "advance[1].details[0].name: File Name Error! (\"MY CLIP\" holds a space;");
        refused("misspelt key", R"({"basic": [{"name": "A", "extension": "", "volum": 1}]})",
                "basic[0].volum: unknown key \"volum\";");
        refused("play times 101",
                R"({"basic": [{"name": "A", "extension": "", "playTimes": 101}]})",
                "basic[0].playTimes: must be a whole number from 0 to 100, not 101\n");
        refused(
            "29 February of a common year",
            advanceJson(R"("startDate": "2006-02-29", "stopDate": "2007-01-01")"),
            "advance[0].startDate: \"2006-02-29\" names day 29, but 2006-02 has days 01 to 28\n");
        refused("stop date a day early",
                advanceJson(R"("startDate": "2006-03-02", "stopDate": "2006-03-01")"),
                "advance[0].stopDate: Date Setup Error! (the stop date 2006-03-01 is before the "
                "start date 2006-03-02)\n");
        refused("251 basic entries", "{\"basic\": " + jsonList(OneMedia, 251) + "}",
                "basic[250]: Too many basic schedules!! (the basic list has 251 entries;");
        refused("advance entry without details", "{\"advance\": [{" + Period + "}]}",
                "advance[0].details: No any schedule file in advance schedule! Can't Save!1 !\n" +
                    QByteArray(25, ' ') + "Can't save!\n");
    }

    void failures() {
        QFETCH(QByteArray, arguments);
        QFETCH(QByteArray, json);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(ChildSetup, childSetup);
        writeFile("in.json", json);
        writeFile("out.mvs", PreciousBytes);
        writeSchedule("a.mvs", ScheduleDocument({media("A", "")}, {}));
        writeFile("big.json", QByteArray(1024 * 1024, ' ') + DesignExample);
        QVERIFY(QFile::link(u"in.json"_s, m_dir->file(u"link.json"_s)));
        QCOMPARE(::link(QFile::encodeName(m_dir->file(u"in.json"_s)).constData(),
                        QFile::encodeName(m_dir->file(u"hard.json"_s)).constData()),
                 0);
        const QStringList before = FolderEntries(m_dir->path());
        const ToolRun result = run(arguments.constData(), childSetup);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QByteArray());
        QVERIFY2(result.err.startsWith("mvstool: " + message), result.err.constData());
        QCOMPARE(readFile("out.mvs"), PreciousBytes);
        QCOMPARE(readFile("in.json"), json);
        QCOMPARE(FolderEntries(m_dir->path()), before); // no temporary file left behind
    }

    // Twenty media files, one of them missing: nineteen land on the drive
    // with the schedule, the missing one is named and the exit status says so.
    // A second run finds everything there already and writes nothing.
    void exportToDrive() {
        QByteArrayList songs;
        for (int i = 1; i <= 20; ++i)
            songs.append("{\"name\": \"SONG" + QByteArray::number(i) +
                         "\", \"extension\": \"MP3\"}");
        const QByteArray json = "{\"basic\": [" + songs.join(", ");
        writeFile("in.json", json + "]}");
        QCOMPARE(run("build in.json -o show.mvs").exitCode, 0);
        QDir().mkpath(m_dir->file(u"media"_s));
        QDir().mkpath(m_dir->file(u"drive"_s));
        for (int i = 1; i <= 20; ++i)
            if (i != 7)
                writeFile(("media/song" + QByteArray::number(i) + ".mp3").constData(),
                          "tune " + QByteArray::number(i));

        const ToolRun first = run("export show.mvs --media media --to drive");
        QCOMPARE(first.exitCode, 1);
        QCOMPARE(first.err, QByteArray());
        const QList<QByteArray> lines = first.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 22);
        QCOMPARE(lines.first(), "copied: show.mvs");
        QCOMPARE(lines[7], "missing: SONG7.MP3");
        QCOMPARE(lines.last(), "schedule file copied; media files: 19 copied, 0 already there, 1 "
                               "missing, 0 failed");
        QStringList expected{u"show.mvs"_s};
        for (int i = 1; i <= 20; ++i)
            if (i != 7)
                expected.append(u"SONG%1.MP3"_s.arg(i));
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(FolderEntries(m_dir->file(u"drive"_s)), expected);
        QCOMPARE(readFile("drive/SONG20.MP3"), "tune 20");
        QCOMPARE(readFile("drive/show.mvs"), readFile("show.mvs"));

        const QFileInfo copied(m_dir->file(u"drive/SONG1.MP3"_s));
        const ToolRun second = run("export show.mvs --media media --to drive");
        QCOMPARE(second.exitCode, 1);
        QVERIFY(second.out.endsWith("schedule file already there; media files: 0 copied, 19 "
                                    "already there, 1 missing, 0 failed\n"));
        QCOMPARE(QFileInfo(m_dir->file(u"drive/SONG1.MP3"_s)).lastModified(),
                 copied.lastModified());

        // With the missing file back, the export is complete.
        writeFile("media/Song7.Mp3", "tune 7");
        const ToolRun third = run("export show.mvs --media media --to drive");
        QCOMPARE(third.exitCode, 0);
        QVERIFY(third.out.contains("\ncopied: SONG7.MP3\n"));
    }

    // Bytes no editor stores, and damaged period bytes, shown as they are in
    // JSON that any JSON reader takes back to the same bytes.
    void dumpShowsEveryByte() {
        const QByteArray name("A\0\"\\\x01\xE9", 6);
        MediaEntry odd = media(name, "\x7F\x80", 120, 0);
        odd.reserved = {0, 0, 1, 0, 0, 9};
        const AdvanceEntry damaged{{128, 100, 0, 0, 0, 0, 0, 1, 1, 99, 7, 128, 9}, {}};
        writeSchedule("odd.mvs", ScheduleDocument({odd}, {damaged}));
        const ToolRun dump = run("dump odd.mvs");
        QCOMPARE(dump.exitCode, 0);
        const QJsonValue basic = QJsonDocument::fromJson(dump.out)[u"basic"_s][0];
        QCOMPARE(basic[u"name"_s].toString().toLatin1(), name);
        QCOMPARE(basic[u"extension"_s].toString().toLatin1(), "\x7F\x80");
        QCOMPARE(basic[u"playTimes"_s].toInt(), 120);
        QVERIFY2(dump.out.contains(R"("startDate": "2128-100-00", "startTime": "00:00:00",
     "stopDate": "2000-01-01", "stopTime": "99:07:128",
     "weekDay": 9,)"),
                 dump.out.constData());
    }

    void rowsAsTheMainWindowShowsThem() {
        writeSchedule("rows.mvs",
                      ScheduleDocument({media("SONG", "MP3", 5, 10), media("CLIP", "", 0),
                                        media("CAF\xE9", "\x01", 100, 0)},
                                       {{{6, 12, 28, 0, 0, 0, 7, 1, 5, 23, 59, 59, 3},
                                         {media("A", "B", 100, 0)}},
                                        {{0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 7}, {}}}));
        const ToolRun rows = run("rows rows.mvs");
        QCOMPARE(rows.exitCode, 0);
        QCOMPARE(QString::fromUtf8(rows.out + rows.err), uR"([basic]
SONG.MP3                  5          10
CLIP.                     0       Default
CAFé.�                    100        0
[advance]
2006/12/28   2007/01/05   Wednesday
2000/01/01   2000/01/01   All Day
[detail 1]
A.B                       100        0
[detail 2]
)"_s);
    }

    void checkListsWhatTheEditorNeverWrites() {
        // Over every limit: 251 basic entries, 101 details, a size estimate of 31790.
        ScheduleDocument document(
            QList<MediaEntry>(249, media("A", "")),
            QList<AdvanceEntry>(8, AdvanceEntry{{}, QList<MediaEntry>(100, media("A", ""))}));
        document.append(ListAddress::details(0), media("A", ""));
        MediaEntry lowerCase = media("Song", "MP3", 120, 18);
        lowerCase.reserved[5] = 7;
        document.append(ListAddress::basic(), media(QByteArray("AB\0C", 4), "M.P"));
        document.append(ListAddress::basic(), lowerCase);
        document.appendAdvance({{6, 13, 1, 22, 0, 0, 6, 1, 1, 6, 0, 0, 8}, {media("A", "")}});
        document.appendAdvance({{6, 2, 29, 0, 0, 0, 100, 1, 1, 24, 0, 0, 7}, {}});
        writeSchedule("bad.mvs", document);
        writeFile("bad.mvs", readFile("bad.mvs") + "TRAILING");
        const ToolRun check = run("check bad.mvs --today 2000-01-01");
        QCOMPARE(check.exitCode, 1);
        const QByteArray problems =
            R"(the basic list: 251 entries; the editor allows at most 250
basic entry 250: name "AB\u0000C": byte 4 follows a 0 byte; the editor pads only at the end
basic entry 250: extension "M.P": byte 2 is 0x2E ('.'), which the editor never stores (it stores A-Z, 0-9, '_' and '-')
basic entry 251: name "Song": byte 2 is 0x6F ('o'), which the editor never stores (it stores A-Z, 0-9, '.', '_' and '-')
basic entry 251: play times 120 is above 100
basic entry 251: volume 18 is above 17
basic entry 251: reserved bytes [0, 0, 0, 0, 0, 7] are not all 0
advance entry 1: 101 details; the editor allows at most 100
advance entry 9: start month 13 is not from 1 to 12
advance entry 9: week day 8 is above 7
advance entry 9: stop date 2006-01-01 is before start date 2006-13-01
advance entry 9: stop time 06:00:00 is not after start time 22:00:00
advance entry 10: start day 29 is not from 1 to 28 (the days of 2006-02)
advance entry 10: stop year 2100 (byte 100) is after 2099
advance entry 10: stop hour 24 is above 23
advance entry 10: no details; the editor does not save an advance entry without them
the schedule: size estimate 31790 is not below 30000; the editor refuses to save it
the file: 8 bytes after the last record
warning: advance[1]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[2]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[3]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[4]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[5]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[6]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[7]: same dates, week day and time window as advance[0]; the player chooses between them
warning: advance[8]: can never play: its stop date 2006-01-01 is before its start date 2006-13-01
warning: size estimate 31790 is above 90% of the budget of 30000
)";
        QCOMPARE(check.out + check.err, problems);
        writeSchedule("empty.mvs", ScheduleDocument());
        const ToolRun empty = run("check empty.mvs");
        QCOMPARE(empty.exitCode, 1);
        QCOMPARE(empty.out, "the schedule: no entries; the editor does not save an empty one\n");
    }

    // at, plan and check's warnings on one schedule, with their exact output.
    void whatPlaysWhen_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");

        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QByteArray& out) {
            QTest::newRow(name) << QStringList{arguments.first(), u"week.mvs"_s} + arguments.mid(1)
                                << exitCode << out;
        };
        row("at, one argument", {u"at"_s, u"2026-12-07 12:00:00"_s}, 0,
            "advance[1]\nadvance[2]\nadvance[3]\n");
        row("at, date and time apart", {u"at"_s, u"2026-12-07"_s, u"17:30:01"_s}, 0,
            "advance[2]\n");
        row("at, nothing matches", {u"at"_s, u"2026-12-07 20:00:01"_s}, 0, "basic\n");
        row("at, before any period", {u"at"_s, u"1999-12-31 12:00:00"_s}, 0, "basic\n");
        row("plan of a Monday", {u"plan"_s, u"2026-12-07"_s}, 0,
            "00:00:00-07:59:59 basic\n"
            "08:00:00-11:59:59 advance[1] advance[3]\n"
            "12:00:00-17:30:00 advance[1] advance[2] advance[3]\n"
            "17:30:01-20:00:00 advance[2]\n"
            "20:00:01-23:59:59 basic\n");
        row("plan of a Sunday: the Monday period never plays", {u"plan"_s, u"2026-12-06"_s}, 0,
            "00:00:00-07:59:59 basic\n"
            "08:00:00-17:30:00 advance[1] advance[3]\n"
            "17:30:01-23:59:59 basic\n");
        row("check", {u"check"_s, u"--today"_s, u"2026-12-07"_s}, 1,
            "warning: advance[0]: can never play: no Monday lies between 2026-12-06 and "
            "2026-12-06\n"
            "warning: advance[3]: same dates, week day and time window as advance[1]; the player "
            "chooses between them\n"
            "warning: advance[4]: has ended: its stop date 2025-12-31 is before today, "
            "2026-12-07\n");
        row("check a year earlier", {u"check"_s, u"--today=2025-12-07"_s}, 1,
            "warning: advance[0]: can never play: no Monday lies between 2026-12-06 and "
            "2026-12-06\n"
            "warning: advance[3]: same dates, week day and time window as advance[1]; the player "
            "chooses between them\n");
    }
    void whatPlaysWhen() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        writeFile("week.json", WeekOfPeriods);
        QCOMPARE(run("build week.json -o week.mvs").exitCode, 0);
        const ToolRun result = run(arguments);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out, out);
        QCOMPARE(result.exitCode, exitCode);
    }

    // at and plan against a rule written here from its words alone: dates and
    // times compared as text, week days by name. Periods start and stop on
    // a few nearby days and hours, so that moments at their edges are common.
    void agreesWithTheRule() {
        QRandomGenerator random(0x5EED);
        const QStringList dayNames{u"Sunday"_s,   u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s,
                                   u"Thursday"_s, u"Friday"_s, u"Saturday"_s};
        struct Rule {
            QString startDate, stopDate, startTime, stopTime;
            int weekDay;
            bool matches(const QString& date, const QString& time, const QString& dayName,
                         const QStringList& names) const {
                return startDate <= date && date <= stopDate &&
                       (weekDay == 7 || names[weekDay] == dayName) && startTime <= time &&
                       time <= stopTime;
            }
        };
        const auto dateText = [](int day) {
            return QDate(2028, 2, 25).addDays(day).toString(Qt::ISODate);
        };
        const auto timeText = [](int second) {
            return QTime(0, 0).addSecs(second).toString(u"HH:mm:ss"_s);
        };
        for (int schedule = 0; schedule < 12; ++schedule) {
            QList<Rule> rules;
            QStringList entries;
            const int count = 1 + random.bounded(8);
            for (int i = 0; i < count; ++i) {
                const int startDay = random.bounded(10);
                const int startSecond = 3600 * random.bounded(24) + random.bounded(3) - 1;
                const int stopSecond =
                    std::min(std::max(startSecond, 0) + 1 + random.bounded(40000), 86399);
                rules.append({dateText(startDay), dateText(startDay + random.bounded(6)),
                              timeText(std::max(startSecond, 0)), timeText(stopSecond),
                              random.bounded(8)});
                const Rule& r = rules.last();
                entries.append(uR"({"startDate": "%1", "startTime": "%2", "stopDate": "%3", )"
                               uR"("stopTime": "%4", "weekDay": %5, "details": [%6]})"_s.arg(
                                   r.startDate, r.startTime, r.stopDate, r.stopTime,
                                   QString::number(r.weekDay), QString::fromUtf8(OneMedia)));
            }
            writeFile("random.json", u"{\"advance\": [%1]}"_s.arg(entries.join(u", "_s)).toUtf8());
            const ToolRun built = run("build random.json -o random.mvs");
            QVERIFY2(built.exitCode == 0, built.err.constData());

            const auto expected = [&](int day, int second) {
                const QDate date = QDate(2028, 2, 25).addDays(day);
                QStringList paths;
                for (qsizetype i = 0; i < rules.size(); ++i)
                    if (rules[i].matches(date.toString(Qt::ISODate), timeText(second),
                                         QLocale::c().dayName(date.dayOfWeek()), dayNames))
                        paths.append(u"advance[%1]"_s.arg(i));
                return paths.isEmpty() ? QStringList{u"basic"_s} : paths;
            };
            for (int moment = 0; moment < 12; ++moment) {
                const Rule& near = rules[random.bounded(rules.size())];
                const int day =
                    QDate(2028, 2, 25)
                        .daysTo(QDate::fromString(
                            random.bounded(2) ? near.startDate : near.stopDate, Qt::ISODate)) +
                    random.bounded(3) - 1;
                const int edge =
                    QTime::fromString(random.bounded(2) ? near.startTime : near.stopTime)
                        .msecsSinceStartOfDay() /
                    1000;
                const int second = std::clamp(edge + random.bounded(3) - 1, 0, 86399);
                const QString when =
                    QDate(2028, 2, 25).addDays(day).toString(Qt::ISODate) + u' ' + timeText(second);
                const ToolRun at = run({u"at"_s, u"random.mvs"_s, when});
                QCOMPARE(at.exitCode, 0);
                QCOMPARE(QString::fromUtf8(at.out).split(u'\n', Qt::SkipEmptyParts),
                         expected(day, second));
            }
            // The plan covers the day without gap or overlap, and each segment
            // holds what the rule says at its first and last second.
            const int day = random.bounded(12) - 1;
            const ToolRun plan = run({u"plan"_s, u"random.mvs"_s,
                                      QDate(2028, 2, 25).addDays(day).toString(Qt::ISODate)});
            QCOMPARE(plan.exitCode, 0);
            int next = 0;
            for (const QString& line :
                 QString::fromUtf8(plan.out).split(u'\n', Qt::SkipEmptyParts)) {
                QStringList fields = line.split(u' ');
                const QStringList span = fields.takeFirst().split(u'-');
                const int first = QTime::fromString(span[0]).msecsSinceStartOfDay() / 1000;
                const int last = QTime::fromString(span[1]).msecsSinceStartOfDay() / 1000;
                QCOMPARE(first, next);
                QVERIFY(last >= first);
                QCOMPARE(fields, expected(day, first));
                QCOMPARE(fields, expected(day, last));
                next = last + 1;
            }
            QCOMPARE(next, 86400);
        }
    }
};

QTEST_GUILESS_MAIN(TestMvstool)
#include "tst_mvstool.moc"

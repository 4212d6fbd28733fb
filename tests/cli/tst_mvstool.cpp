#include "CliTestSupport.h"
#include "schedule/ScheduleJson.h"
#include "schedule/ScheduleWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const QString UsageLine = u"usage: mvstool dump|check|rows FILE.mvs, or mvstool build IN.json "
                          "-o OUT.mvs [--seed N]; see mvstool --help"_s;

const QByteArray PreciousBytes = "an older schedule that must survive\n";

} // namespace

class TestMvstool final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    // Runs the real binary in the test folder, so relative names appear in
    // its messages exactly as given.
    ToolRun run(const QStringList& arguments, const std::function<void()>& childSetup = {},
                const QString& stdoutFile = {}) {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.setProgram(QStringLiteral(MVSTOOL_PATH));
        process.setArguments(arguments);
        if (childSetup)
            process.setChildProcessModifier(childSetup);
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        process.start();
        ToolRun result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result; // a crash or a hang: exitCode stays -1
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString& name) {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeSchedule(const QString& name, const ScheduleDocument& document) {
        SeededRandomSource random(1);
        QString error;
        QVERIFY2(WriteScheduleFile(m_dir->path() + u'/', name, document, random, &error),
                 qPrintable(error));
    }

    QStringList folderContent() const {
        return QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

private Q_SLOTS:
    void init() {
        m_dir = new QTemporaryDir();
        QVERIFY(m_dir->isValid());
    }

    void cleanup() {
        delete m_dir;
        m_dir = nullptr;
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");

        QTest::newRow("nothing") << QStringList() << u"no command given"_s;
        QTest::newRow("unknown command")
            << QStringList{u"frobnicate"_s, u"a.mvs"_s} << u"unknown command \"frobnicate\""_s;
        QTest::newRow("missing file") << QStringList{u"dump"_s} << u"dump needs a file"_s;
        QTest::newRow("two files") << QStringList{u"rows"_s, u"a.mvs"_s, u"b.mvs"_s}
                                   << u"rows takes one file, not also \"b.mvs\""_s;
        QTest::newRow("build without -o") << QStringList{u"build"_s, u"in.json"_s}
                                          << u"build needs the file to write: -o OUT.mvs"_s;
        QTest::newRow("-o without its value")
            << QStringList{u"build"_s, u"in.json"_s, u"-o"_s} << u"Missing value after '-o'."_s;
        QTest::newRow("-o for dump") << QStringList{u"dump"_s, u"a.mvs"_s, u"-o"_s, u"out.mvs"_s}
                                     << u"-o and --seed belong to build only"_s;
        QTest::newRow("-o twice") << QStringList{u"build"_s,   u"in.json"_s, u"-o"_s,
                                                 u"out.mvs"_s, u"-o"_s,      u"b.mvs"_s}
                                  << u"-o and --seed may be given once each"_s;
        const QString seedError = u"--seed takes a whole number from 0 to 4294967295, not "_s;
        for (const QString& seed : {u"-1"_s, u"4294967296"_s, u"12x"_s, u"+5"_s, u""_s})
            QTest::addRow("seed '%s'", qPrintable(seed))
                << QStringList{u"build"_s, u"in.json"_s, u"-o"_s, u"out.mvs"_s, u"--seed"_s, seed}
                << seedError + u'"' + seed + u'"';
        QTest::newRow("unknown option")
            << QStringList{u"dump"_s, u"a.mvs"_s, u"--bogus"_s} << u"Unknown option 'bogus'."_s;
    }

    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        writeFile(u"in.json"_s, DesignExampleJson());
        writeSchedule(u"a.mvs"_s, DesignExampleDocument());
        const ToolRun result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QString::fromUtf8(result.err),
                 u"mvstool: "_s + message + u'\n' + UsageLine + u'\n');
        QVERIFY(!QFile::exists(path(u"out.mvs"_s)));
    }

    void helpAndVersion() {
        const ToolRun help = run({u"--help"_s});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("build IN.json -o OUT.mvs"));
        QVERIFY(help.out.contains("--seed <N>"));
        QCOMPARE(help.err, QByteArray());

        const ToolRun version = run({u"--version"_s});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("mvstool " MVSTOOL_VERSION "\n"));
    }

    void unreadableSchedules_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("create");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");

        // A valid file to cut short or damage.
        QByteArray valid;
        {
            SeededRandomSource random(3);
            valid = EncodeSchedule(DesignExampleDocument(), random);
        }
        QByteArray noKey = valid;
        noKey[34] = 0; // N = 0 with entries following
        QByteArray keyOutside = valid;
        keyOutside[32] = char(250); // S + N beyond the key block

        for (const QString& command : {u"dump"_s, u"check"_s, u"rows"_s}) {
            const QByteArray c = command.toLatin1();
            QTest::addRow("%s missing", c.constData())
                << command << u"none.mvs"_s << false << QByteArray()
                << u"cannot be read: No such file or "
                   "directory"_s;
            QTest::addRow("%s folder", c.constData())
                << command << u"."_s << false << QByteArray() << u"cannot be read: "_s;
            QTest::addRow("%s empty", c.constData())
                << command << u"empty.mvs"_s << true << QByteArray()
                << u"not a readable schedule file: the file ends inside the header (byte offset "
                   "0)"_s;
            QTest::addRow("%s truncated", c.constData())
                << command << u"short.mvs"_s << true << valid.first(valid.size() - 1)
                << u"not a readable schedule file: the file ends inside detail 1 of advance "
                   "entry 1 (byte offset %1)"_s.arg(valid.size() - 1);
            QTest::addRow("%s no key", c.constData())
                << command << u"nokey.mvs"_s << true << noKey
                << u"not a readable schedule file: the key length is 0, so the entries cannot "
                   "be unscrambled (byte offset 34)"_s;
            QTest::addRow("%s key outside", c.constData())
                << command << u"outside.mvs"_s << true << keyOutside
                << u"not a readable schedule file: the key ("_s;
        }
    }

    void unreadableSchedules() {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(bool, create);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        if (create)
            writeFile(file, content);
        const ToolRun result = run({command, file});
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        const QString err = QString::fromUtf8(result.err);
        QVERIFY2(err.startsWith(u"mvstool: "_s + file + u": "_s + reason), qPrintable(err));
        QVERIFY(err.endsWith(u'\n'));
        QCOMPARE(err.count(u'\n'), 1);
    }

    void dumpShowsTheFileExactly() {
        writeSchedule(u"example.mvs"_s, DesignExampleDocument());
        const ToolRun example = run({u"dump"_s, u"example.mvs"_s});
        QCOMPARE(example.exitCode, 0);
        QCOMPARE(example.err, QByteArray());
        QCOMPARE(example.out, DesignExampleJson());

        // Bytes no editor stores are shown as they are, as valid JSON. Bytes
        // above 128 may not fit the key, so only one such byte per file.
        QRandomGenerator random(99);
        for (int round = 0; round < 10; ++round) {
            ScheduleDocument document = RandomByteDocument(random, 128);
            document.appendBasic(Media("CAF\xE9", QByteArray("\0\x01", 2), 128, 0));
            SeededRandomSource seeded{quint32(round)};
            QString error;
            const QByteArray bytes = EncodeSchedule(document, seeded, &error);
            QVERIFY2(!bytes.isEmpty(), qPrintable(error));
            writeFile(u"bytes.mvs"_s, bytes);
            const ToolRun result = run({u"dump"_s, u"bytes.mvs"_s});
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.out, ScheduleToJson(document));
            QJsonParseError parseError;
            QJsonDocument::fromJson(result.out, &parseError);
            QCOMPARE(parseError.error, QJsonParseError::NoError);
        }
    }

    void documentedExampleRoundTrip() {
        writeFile(u"in.json"_s, DesignExampleJson());
        const ToolRun build =
            run({u"build"_s, u"in.json"_s, u"-o"_s, u"out.mvs"_s, u"--seed"_s, u"7"_s});
        QCOMPARE(build.exitCode, 0);
        QCOMPARE(build.out, QByteArray());
        QCOMPARE(build.err, QByteArray());
        const ToolRun dump = run({u"dump"_s, u"out.mvs"_s});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dump.out, DesignExampleJson());

        // The seed makes the file repeatable; another seed gives other bytes.
        const QByteArray first = readFile(u"out.mvs"_s);
        QCOMPARE(
            run({u"build"_s, u"in.json"_s, u"--seed"_s, u"7"_s, u"-o"_s, u"again.mvs"_s}).exitCode,
            0);
        QCOMPARE(readFile(u"again.mvs"_s), first);
        QCOMPARE(
            run({u"build"_s, u"in.json"_s, u"-o"_s, u"other.mvs"_s, u"--seed"_s, u"4294967295"_s})
                .exitCode,
            0);
        QVERIFY(readFile(u"other.mvs"_s) != first);

        // Without a seed, and over an existing file, the result reads the same.
        writeFile(u"existing.mvs"_s, PreciousBytes);
        QCOMPARE(run({u"build"_s, u"in.json"_s, u"-o"_s, u"existing.mvs"_s}).exitCode, 0);
        QCOMPARE(run({u"dump"_s, u"existing.mvs"_s}).out, DesignExampleJson());
    }

    void buildRefusals_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");

        const QByteArray period = R"("startDate": "2006-01-01", "stopDate": "2006-12-31")";
        const QByteArray good = "{" + period + R"(, "details": [{"name": "A", "extension": ""}]})";
        QTest::newRow("name deep in the document")
            << QByteArray("{\"advance\": [" + good + ", " + good + ", {" + period +
                          R"(, "details": [{"name": "MY CLIP", "extension": "AVI"}]}]})")
            << 1
            << u"mvstool: in.json: advance[2].details[0].name: File Name Error! (\"MY CLIP\" "
               "holds a space; a media file name has only A-Z, a-z, 0-9, '.', '_' and '-')\n"_s;
        QTest::newRow("play times")
            << QByteArray(R"({"basic": [{"name": "A", "extension": "", "playTimes": 120}]})") << 1
            << u"mvstool: in.json: basic[0].playTimes: must be a whole number from 0 to 100, not "
               "120\n"_s;
        QTest::newRow("misspelt key")
            << QByteArray(R"({"basic": [{"name": "A", "extension": "", "volum": 1}]})") << 1
            << u"mvstool: in.json: basic[0].volum: unknown key \"volum\"; the keys here are name, "
               "extension, playTimes, volume, reserved\n"_s;
        QTest::newRow("stop date")
            << QByteArray(
                   "{\"advance\": [{\"startDate\": \"2006-03-02\", \"stopDate\": "
                   "\"2006-03-01\", \"details\": [{\"name\": \"A\", \"extension\": \"\"}]}]}")
            << 1
            << u"mvstool: in.json: advance[0].stopDate: Date Setup Error! (the stop date "
               "2006-03-01 is before the start date 2006-03-02)\n"_s;
        QTest::newRow("nothing to save")
            << QByteArray("{}") << 1 << u"mvstool: in.json: No any schedule!\nCan't save!\n"_s;
        QTest::newRow("advance entry without details")
            << QByteArray("{\"advance\": [{" + period + "}]}") << 1
            << u"mvstool: in.json: advance[0].details: No any schedule file in advance schedule! "
               "Can't Save!1 !\n"_s +
                   QString(25, u' ') + u"Can't save!\n"_s;
        QTest::newRow("malformed") << QByteArray("{\"basic\": [") << 2 << QString();
    }

    void buildRefusals() {
        QFETCH(QByteArray, json);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        writeFile(u"in.json"_s, json);
        writeFile(u"out.mvs"_s, PreciousBytes);
        const ToolRun result = run({u"build"_s, u"in.json"_s, u"-o"_s, u"out.mvs"_s});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QByteArray());
        const QString message = QString::fromUtf8(result.err);
        if (err.isEmpty())
            QVERIFY2(message.startsWith(u"mvstool: in.json: not valid JSON: "_s) &&
                         message.contains(u"(byte offset "_s),
                     qPrintable(message));
        else
            QCOMPARE(message, err);
        // Nothing written: the old file is as it was, and no temporary is left.
        QCOMPARE(readFile(u"out.mvs"_s), PreciousBytes);
        QCOMPARE(folderContent(), (QStringList{u"in.json"_s, u"out.mvs"_s}));
    }

    void unreadableJson_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("err");
        QTest::newRow("missing") << u"none.json"_s
                                 << u"mvstool: none.json: cannot be read: No such file or "
                                    "directory\n"_s;
        QTest::newRow("folder") << u"."_s << u"mvstool: .: cannot be read: "_s;
    }

    void unreadableJson() {
        QFETCH(QString, input);
        QFETCH(QString, err);
        writeFile(u"out.mvs"_s, PreciousBytes);
        const ToolRun result = run({u"build"_s, input, u"-o"_s, u"out.mvs"_s});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(QString::fromUtf8(result.err).startsWith(err), result.err.constData());
        QCOMPARE(readFile(u"out.mvs"_s), PreciousBytes);
    }

    void unwritableOutput_data() {
        QTest::addColumn<QString>("output");
        // Each holds for root too: no permission bits involved.
        QTest::newRow("folder runs through a file") << u"blocker/out.mvs"_s;
        QTest::newRow("folder does not exist") << u"missing/out.mvs"_s;
        QTest::newRow("output is a folder") << u"folder"_s;
    }

    void unwritableOutput() {
        QFETCH(QString, output);
        writeFile(u"in.json"_s, DesignExampleJson());
        writeFile(u"blocker"_s, PreciousBytes);
        QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
        const QStringList before = folderContent();
        const ToolRun result = run({u"build"_s, u"in.json"_s, u"-o"_s, output});
        QCOMPARE(result.exitCode, 2);
        const QString err = QString::fromUtf8(result.err);
        QVERIFY2(err.startsWith(u"mvstool: "_s + output + u": cannot be written: "_s),
                 qPrintable(err));
        QCOMPARE(folderContent(), before);
        QCOMPARE(readFile(u"blocker"_s), PreciousBytes);
        QVERIFY(QDir(path(u"folder"_s)).isEmpty());
    }

    void failedWriteKeepsTheOldFile() {
        writeFile(u"in.json"_s, DesignExampleJson());
        writeFile(u"out.mvs"_s, PreciousBytes);
        // A file size limit in the child makes the write fail part-way.
        const ToolRun result = run({u"build"_s, u"in.json"_s, u"-o"_s, u"out.mvs"_s}, [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        QVERIFY2(result.exitCode == 2,
                 qPrintable(u"a build that cannot write the whole file must fail and keep the "
                            "old one; exit %1, the file now holds %2 bytes"_s.arg(result.exitCode)
                                .arg(readFile(u"out.mvs"_s).size())));
        QVERIFY2(result.err.startsWith("mvstool: out.mvs: cannot be written: "),
                 result.err.constData());
        QCOMPARE(readFile(u"out.mvs"_s), PreciousBytes);
        QCOMPARE(folderContent(), (QStringList{u"in.json"_s, u"out.mvs"_s}));
    }

    void failedStandardOutputIsAnError() {
        if (!QFile::exists(u"/dev/full"_s))
            QSKIP("no /dev/full here");
        writeSchedule(u"a.mvs"_s, DesignExampleDocument());
        const ToolRun result = run({u"dump"_s, u"a.mvs"_s}, {}, u"/dev/full"_s);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.err, QByteArray("mvstool: standard output: cannot be written\n"));
    }

    void rowsAsTheMainWindowShowsThem() {
        writeSchedule(u"rows.mvs"_s,
                      ScheduleDocument(
                          {Media("SONG", "MP3", 5, 10), Media("CLIP", "", 0, 17),
                           Media("CAF\xE9", "\x01", 100, 0)},
                          {Advance("2006-12-28", "00:00:00", "2007-01-05", "23:59:59", 3,
                                   {Media("A", "B", 100, 0)}),
                           Advance("2000-01-01", "00:00:00", "2000-01-01", "00:00:01", 7, {}),
                           Advance("2099-02-01", "00:00:00", "2099-02-28", "23:59:59", 6,
                                   {Media("ABCDEFGHIJKLMNOP", "JPEG", 1, 16), Media("X", "")})}));
        const QString expected = u"[basic]\n"
                                 "SONG.MP3             "
                                 "     "
                                 "5  "
                                 "        10\n"
                                 "CLIP.                "
                                 "     "
                                 "0  "
                                 "     Default\n"
                                 "CAF\u00E9.\uFFFD               "
                                 "     "
                                 "100"
                                 "        0\n"
                                 "[advance]\n"
                                 "2006/12/28   2007/01/05   Wednesday\n"
                                 "2000/01/01   2000/01/01   All Day\n"
                                 "2099/02/01   2099/02/28   Saturday\n"
                                 "[detail 1]\n"
                                 "A.B                  "
                                 "     "
                                 "100"
                                 "        0\n"
                                 "[detail 2]\n"
                                 "[detail 3]\n"
                                 "ABCDEFGHIJKLMNOP.JPEG"
                                 "     "
                                 "1  "
                                 "        16\n"
                                 "X.                   "
                                 "     "
                                 "1  "
                                 "     Default\n"_s;
        const ToolRun result = run({u"rows"_s, u"rows.mvs"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(QString::fromUtf8(result.out), expected);
    }

    void rowsOfAnEmptySchedule() {
        writeSchedule(u"empty.mvs"_s, ScheduleDocument());
        const ToolRun result = run({u"rows"_s, u"empty.mvs"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("[basic]\n[advance]\n"));
    }

    void checkListsEveryProblem() {
        MediaEntry lowerCase = Media("Song", "mp3", 120, 18);
        lowerCase.reserved[5] = 7;
        AdvanceEntry badPeriod =
            Advance("2006-02-01", "22:00:00", "2006-01-01", "06:00:00", 8, {Media("A", "")});
        badPeriod.startMonth = 13;
        writeSchedule(u"bad.mvs"_s,
                      ScheduleDocument({Media("OK", "MP3"), lowerCase},
                                       {badPeriod, Advance("2006-01-01", "00:00:00", "2006-01-01",
                                                           "23:59:59", 7, {})}));
        QFile file(path(u"bad.mvs"_s));
        QVERIFY(file.open(QIODevice::Append));
        QCOMPARE(file.write("TRAILING"), 8);
        file.close();

        const ToolRun result = run({u"check"_s, u"bad.mvs"_s});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(QString::fromUtf8(result.out).split(u'\n'),
                 (QStringList{
                     u"basic entry 2: name \"Song\": byte 2 is 0x6F ('o'), which the editor never "
                     "stores (it stores A-Z, 0-9, '.', '_' and '-')"_s,
                     u"basic entry 2: extension \"mp3\": byte 1 is 0x6D ('m'), which the editor "
                     "never stores (it stores A-Z, 0-9, '_' and '-')"_s,
                     u"basic entry 2: play times 120 is above 100"_s,
                     u"basic entry 2: volume 18 is above 17"_s,
                     u"basic entry 2: reserved bytes [0, 0, 0, 0, 0, 7] are not all 0"_s,
                     u"advance entry 1: start month 13 is not from 1 to 12"_s,
                     u"advance entry 1: week day 8 is above 7"_s,
                     u"advance entry 1: stop date 2006-01-01 is before start date 2006-13-01"_s,
                     u"advance entry 1: stop time 06:00:00 is not after start time 22:00:00"_s,
                     u"advance entry 2: no details; the editor does not save an advance entry "
                     "without them"_s,
                     u"the file: 8 bytes after the last record"_s,
                     QString(),
                 }));
    }

    void checkOfACleanFileSaysNothing() {
        writeFile(u"in.json"_s, DesignExampleJson());
        QCOMPARE(run({u"build"_s, u"in.json"_s, u"-o"_s, u"clean.mvs"_s}).exitCode, 0);
        const ToolRun result = run({u"check"_s, u"clean.mvs"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(result.err, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestMvstool)
#include "tst_mvstool.moc"

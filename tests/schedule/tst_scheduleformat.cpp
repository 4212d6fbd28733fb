#include "FileFormat.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"
#include "TestEntries.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Plays back a script of draws, then draws 0.5 for ever.
struct ScriptedRandom final : RandomSource {
    QList<double> script;
    double nextUnit() override { return script.isEmpty() ? 0.5 : script.takeFirst(); }
};

// The draw that the writer's rounding of r * span turns into value.
double unitFor(int value, int span) {
    return value == 0 ? 0.0 : (value - 0.25) / span;
}

ScheduleDocument sampleDocument(bool withBasic = true) {
    return ScheduleDocument(
        withBasic ? QList{media("SONG", "MP3", 5, 10)} : QList<MediaEntry>(),
        {{{6, 12, 28, 8, 30, 15, 7, 1, 5, 22, 45, 59, 3}, {media("CLIP", "", 100, 17)}},
         {{99, 2, 28, 0, 0, 0, 99, 3, 1, 23, 59, 59, 7}, {}}});
}

// With every draw 0.5 the key block is 178 bytes, the key is 40 bytes of 64
// from position 64 and the stream starts at offset 228.
QByteArray encode(const ScheduleDocument& document) {
    ScriptedRandom random;
    return EncodeSchedule(document, random).value();
}

// Any field byte; lists mostly short, sometimes empty, sometimes as long as a
// file can hold.
ScheduleDocument randomDocument(QRandomGenerator& random) {
    const auto count = [&random](int most) { return random.bounded(8) ? random.bounded(4) : most; };
    const auto fill = [&random](auto& value) {
        quint8* bytes = reinterpret_cast<quint8*>(&value);
        std::generate(bytes, bytes + sizeof value,
                      [&random] { return quint8(random.bounded(256)); });
    };
    QList<MediaEntry> basic(count(255));
    std::for_each(basic.begin(), basic.end(), fill);
    QList<AdvanceEntry> advance(count(255));
    for (AdvanceEntry& entry : advance) {
        fill(static_cast<AdvancePeriod&>(entry));
        entry.details.resize(count(255));
        std::for_each(entry.details.begin(), entry.details.end(), fill);
    }
    return ScheduleDocument(basic, advance);
}

} // namespace

class TestScheduleFormat final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    SeededRandomSource m_random{2024};

    QString folder() const { return m_dir.path() + u'/'; }
    QByteArray content(const QString& name) const {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool writeContent(const QString& name, const QByteArray& bytes) const {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && writeContent(u"blocker"_s, "a regular file"));
    }

    void writerGivesExactBytes_data() {
        QTest::addColumn<bool>("withBasic");
        QTest::addColumn<int>("blockLength"); // L
        QTest::addColumn<int>("keyOffset");   // S
        QTest::addColumn<int>("keyLength");   // N
        // No section is a multiple of the key length, so a key index reset would show.
        QTest::newRow("basic and advance, longest block") << true << 255 << 205 << 50;
        QTest::newRow("advance only, shortest block") << false << 100 << 0 << 30;
    }

    void writerGivesExactBytes() {
        QFETCH(bool, withBasic);
        QFETCH(int, blockLength);
        QFETCH(int, keyOffset);
        QFETCH(int, keyLength);
        // Header fillers 200, key block bytes that differ from their
        // neighbours, record fillers 64 ('@', drawn as 0.5).
        QList<double> draws(5, unitFor(200, 255));
        draws << unitFor(blockLength - 100, 155) << unitFor(keyOffset, blockLength - 50)
              << unitFor(keyLength - 30, 20) << QList<double>(15, unitFor(200, 255));
        QByteArray expected = "MORVA0100KERNEL0000061018" + QByteArray(5, char(200));
        for (int byte : {blockLength,    200, keyOffset, 200, keyLength, 200, 200, 200, 200, 200,
                         int(withBasic), 2,   200,       200, 200,       200, 200, 200, 200, 200})
            expected += char(byte);
        QByteArray block;
        for (int i = 0; i < blockLength; ++i) {
            block += char(1 + i * 37 % 127);
            draws << unitFor(quint8(block.back()), 127);
        }
        const QByteArray basic("#1SONG\0\0\0\0\0\0\0\0\0\0\0\0MP3\0\x05\0\0\0\0\0\0\x0A@@", 32);
        const QByteArray advance("#2\x06\x0C\x1C\x08\x1E\x0F\x07\x01\x05\x16\x2D\x3B\x03@\x01"
                                 "CLIP\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x64\0\0\0\0\0\0\x11@@"
                                 "#2\x63\x02\x1C\0\0\0\x63\x03\x01\x17\x3B\x3B\x07@\0",
                                 64);
        const QByteArray plain = withBasic ? basic + advance : advance;
        const QByteArray key = block.mid(keyOffset, keyLength);
        expected += block;
        for (qsizetype i = 0; i < plain.size(); ++i) // one key index over all sections
            expected += char(quint8(plain[i]) + quint8(key[i % keyLength]));

        ScriptedRandom random;
        random.script = draws;
        QCOMPARE(EncodeSchedule(sampleDocument(withBasic), random).value(), expected);
    }

    void randomDocumentsRoundTrip() {
        for (quint32 seed = 1; seed <= 200; ++seed) {
            QRandomGenerator generator(seed);
            const ScheduleDocument document = randomDocument(generator);
            SeededRandomSource random(seed * 7919u);
            const DecodeResult result = DecodeSchedule(EncodeSchedule(document, random).value());
            QVERIFY2(result.ok && result.trailingBytes == 0 && result.document == document,
                     qPrintable(u"seed %1: %2"_s.arg(seed).arg(result.error)));
        }
    }

    void keyBytesFitTheBytesTheyScramble() {
        // Every draw as high as it goes: L 255, S 205, N 50, key bytes 127,
        // except where a name byte of 200 (stream index 2) allows only 55.
        const ScheduleDocument document({media("\xC8")}, {});
        ScriptedRandom random;
        random.script = QList<double>(10000, 0.99999);
        const QByteArray bytes = EncodeSchedule(document, random).value();
        QByteArray block(255, char(127));
        block[205 + 2] = char(55);
        QCOMPARE(bytes.mid(FileFormat::HeaderSize, 255), block);
        QCOMPARE(quint8(bytes[FileFormat::HeaderSize + 255 + 2]), 255);
        const DecodeResult result = DecodeSchedule(bytes);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.document, document);
    }

    // Documents at the extremes of what the format holds, every byte as high
    // as it goes: each is stored at the first draw, whatever the seed.
    void extremeDocumentsStoreAtOnce_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<int>("seeds");
        MediaEntry high;
        high.name.fill(255);
        high.extension.fill(255);
        high.reserved.fill(255);
        high.playTimes = high.volume = 255;
        AdvanceEntry period;
        static_cast<AdvancePeriod&>(period) = {255, 255, 255, 255, 255, 255, 255,
                                               255, 255, 255, 255, 255, 255};
        period.details = QList<MediaEntry>(255, high);
        QTest::newRow("one entry") << ScheduleDocument({high}, {}) << 200;
        // Every count at 255: the header, every detail count.
        QTest::newRow("everything at 255")
            << ScheduleDocument(QList<MediaEntry>(255, high), QList<AdvanceEntry>(255, period))
            << 3;
    }

    void extremeDocumentsStoreAtOnce() {
        QFETCH(ScheduleDocument, document);
        QFETCH(int, seeds);
        for (int seed = 1; seed <= seeds; ++seed) {
            SeededRandomSource random{quint32(seed)};
            const Result<QByteArray> bytes = EncodeSchedule(document, random);
            QVERIFY2(bytes, qPrintable(u"seed %1: %2"_s.arg(seed).arg(bytes.error())));
            const DecodeResult result = DecodeSchedule(bytes.value());
            QVERIFY2(result.ok && result.trailingBytes == 0 && result.document == document,
                     qPrintable(u"seed %1: %2"_s.arg(seed).arg(result.error)));
        }
    }

    void everyTruncationFailsCleanly() {
        const QByteArray bytes = encode(sampleDocument());
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            QVERIFY(writeContent(u"cut.mvs"_s, bytes.left(length)));
            const DecodeResult result = ReadScheduleFileAt(m_dir.filePath(u"cut.mvs"_s));
            QVERIFY(!result.ok && result.errorOffset == length);
            QVERIFY2(result.error.endsWith(u"(byte offset %1)"_s.arg(length)),
                     qPrintable(result.error));
        }
    }

    // A file that is not read names the byte offset where reading failed.
    void unreadableFile_data() {
        QTest::addColumn<QByteArray>("bytes");   // empty: the sample file, patched
        QTest::addColumn<QList<int>>("patches"); // offset, new byte, offset, new byte ...
        QTest::addColumn<qint64>("errorOffset"); // -1: the file reads
        QTest::newRow("version and markers are not required")
            << QByteArray() << QList<int>{5, '9', 24, 'x', 228, '?' + 64, 260, '!' + 64} << -1LL;
        QTest::newRow("first byte of the magic") << QByteArray() << QList<int>{0, 'x'} << 0LL;
        QTest::newRow("last byte of the magic") << QByteArray() << QList<int>{4, 'a'} << 4LL;
        QTest::newRow("key ending where its block ends")
            << QByteArray() << QList<int>{32, 138} << -1LL;
        QTest::newRow("key past its block") << QByteArray() << QList<int>{32, 139} << 32LL;
        QTest::newRow("key length 0 with entries") << QByteArray() << QList<int>{34, 0} << 34LL;
        QTest::newRow("record filler below its key byte")
            << QByteArray() << QList<int>{275, 63} << 275LL;
        // All zeros once read as a valid empty schedule.
        QTest::newRow("all zeros") << QByteArray(400, '\0') << QList<int>() << 0LL;
        QTest::newRow("other text")
            << QByteArray("MOVRA").leftJustified(400, ' ') << QList<int>() << 2LL;
        QTest::newRow("short, other text") << QByteArray("MX") << QList<int>() << 1LL;
        QTest::newRow("cut inside the magic") << QByteArray("MOR") << QList<int>() << 3LL;
    }

    void unreadableFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, patches);
        QFETCH(qint64, errorOffset);
        const bool sample = bytes.isEmpty();
        if (sample) // with bytes after the last record, which readers ignore
            bytes = encode(sampleDocument()) + "trailing";
        for (qsizetype i = 0; i + 1 < patches.size(); i += 2)
            bytes[patches[i]] = char(patches[i + 1]);
        QVERIFY(writeContent(u"damaged.mvs"_s, bytes));
        const DecodeResult result = ReadScheduleFileAt(m_dir.filePath(u"damaged.mvs"_s));
        QCOMPARE(result.ok, errorOffset < 0);
        QCOMPARE(result.errorOffset, errorOffset);
        if (result.ok) {
            QCOMPARE(result.document, sampleDocument());
            QCOMPARE(result.trailingBytes, 8); // ignored, but counted for mvstool check
        } else {
            QVERIFY2(result.error.endsWith(u"(byte offset %1)"_s.arg(errorOffset)),
                     qPrintable(result.error));
        }
        // Text that is not the magic is named as such; a cut one as cut.
        if (!sample)
            QCOMPARE(result.error.contains(u"does not begin with \"MORVA\""_s),
                     bytes.size() > errorOffset);
    }

    void onlyRegularFilesAreRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO without a writer") << u"fifo"_s;
        QTest::newRow("link to an endless device") << u"zero"_s;
        QTest::newRow("folder") << u"folder"_s;
    }

    void onlyRegularFilesAreRead() {
        QFETCH(QString, kind);
        const QString path = m_dir.filePath(u"special-"_s + kind);
        const QByteArray name = QFile::encodeName(path);
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == u"zero")
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        else
            QVERIFY(QDir().mkdir(path));
        const DecodeResult result = ReadScheduleFileAt(path);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(u"not a regular file"_s), qPrintable(result.error));
    }

    void failedSaveLeavesTheOldFile_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("sizeLimit"); // 0: none
        const ScheduleDocument sample = sampleDocument();
        QTest::newRow("folder that does not exist") << u"no/keep.mvs"_s << sample << QString() << 0;
        QTest::newRow("folder through a regular file")
            << u"blocker/keep.mvs"_s << sample << QString() << 0;
        QTest::newRow("disk full while writing") << u"keep.mvs"_s << sample << QString() << 64;
        QTest::newRow("256 basic entries")
            << u"keep.mvs"_s << ScheduleDocument(QList<MediaEntry>(256, media("B")), {}) << u"256"_s
            << 0;
        QTest::newRow("256 details")
            << u"keep.mvs"_s
            << ScheduleDocument({}, {AdvanceEntry{{}, QList<MediaEntry>(256, media("D"))}})
            << u"advance entry 1"_s << 0;
    }

    void failedSaveLeavesTheOldFile() {
        QFETCH(QString, fileName);
        QFETCH(ScheduleDocument, document);
        QFETCH(QString, reason);
        QFETCH(int, sizeLimit);
        QVERIFY(WriteScheduleFile(folder() + u"keep.mvs"_s, sampleDocument(false), m_random));
        const QByteArray before = content(u"keep.mvs"_s);
        const QStringList entriesBefore = entries();
        // The save runs in a child, which may get a file size limit.
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
            if (sizeLimit > 0)
                setrlimit(RLIMIT_FSIZE, &limit);
            const Result<void> saved = WriteScheduleFile(folder() + fileName, document, m_random);
            _exit(saved ? 1 : saved.error().isEmpty() || !saved.error().contains(reason) ? 2 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // 1: reported success, 2: no or the wrong reason
        QCOMPARE(content(u"keep.mvs"_s), before);
        QCOMPARE(entries(), entriesBefore);
    }
};

QTEST_GUILESS_MAIN(TestScheduleFormat)
#include "tst_scheduleformat.moc"

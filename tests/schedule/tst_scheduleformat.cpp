#include "FileFormat.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"
#include "TestFiles.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Plays back a script of draws, then draws 0.5 for ever.
struct ScriptedRandom final : RandomSource {
    QList<double> script;
    double nextUnit() override { return script.isEmpty() ? 0.5 : script.takeFirst(); }
};

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

QByteArray sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
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

    TestFolder m_dir;
    SeededRandomSource m_random{2024};

private Q_SLOTS:
    // The bytes the player reads, pinned: the plain header text and counts,
    // then a checksum of the whole file, taken when every byte was checked
    // against the layout. Each key (40 and 31 bytes) divides no section, so a
    // key index that restarts per section or wraps early changes the bytes.
    void writerGivesExactBytes_data() {
        QTest::addColumn<bool>("withBasic");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QByteArray>("checksum");
        QTest::newRow("basic and advance")
            << true << 7u
            << QByteArray("929022e529fdc0500a7fe151d2463def0534a6d9e136cb148987949576800406");
        QTest::newRow("advance only")
            << false << 11u
            << QByteArray("9af8c2c2ac21691784cd1cbd0bc96c187f57a4f34e2eda1855ebb76d89d2e9e8");
    }

    void writerGivesExactBytes() {
        QFETCH(bool, withBasic);
        QFETCH(quint32, seed);
        SeededRandomSource random(seed);
        const QByteArray bytes = EncodeSchedule(sampleDocument(withBasic), random).value();
        QCOMPARE(bytes.left(25), "MORVA0100KERNEL0000061018");
        QCOMPARE(bytes.mid(40, 2), QByteArray::fromHex(withBasic ? "0102" : "0002"));
        QTEST(sha256(bytes), "checksum");
    }

    void randomDocumentsRoundTrip() {
        for (quint32 seed = 1; seed <= 200; ++seed) {
            QRandomGenerator generator(seed);
            const ScheduleDocument document = randomDocument(generator);
            SeededRandomSource random(seed * 7919u);
            const DecodeResult result = DecodeSchedule(EncodeSchedule(document, random).value());
            QVERIFY2(result.ok() && result->trailingBytes == 0 && result->document == document,
                     qPrintable(u"seed %1: %2"_s.arg(seed).arg(result.error())));
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
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(result->document, document);
    }

    void everyTruncationFailsCleanly() {
        const QByteArray bytes = encode(sampleDocument());
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            QVERIFY(WriteBytes(m_dir.file(u"cut.mvs"_s), bytes.left(length)));
            const DecodeResult result = ReadScheduleFileAt(m_dir.file(u"cut.mvs"_s));
            QVERIFY(!result.ok() && result.failure().offset == length);
            QVERIFY2(result.error().endsWith(u"(byte offset %1)"_s.arg(length)),
                     qPrintable(result.error()));
        }
    }

    // A file that is not read names the byte offset where reading failed.
    void unreadableFile_data() {
        QTest::addColumn<QByteArray>("bytes");   // empty: the sample file, patched
        QTest::addColumn<QList<int>>("patches"); // offset, new byte, offset, new byte ...
        QTest::addColumn<qint64>("errorOffset"); // -1: the file reads
        QTest::newRow("version and markers are not required")
            << QByteArray() << QList<int>{5, '9', 24, 'x', 228, '?' + 64, 260, '!' + 64} << -1LL;
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
        QVERIFY(WriteBytes(m_dir.file(u"damaged.mvs"_s), bytes));
        const DecodeResult result = ReadScheduleFileAt(m_dir.file(u"damaged.mvs"_s));
        QCOMPARE(result.ok(), errorOffset < 0);
        QCOMPARE(result.failure().offset, errorOffset);
        if (result.ok()) {
            QCOMPARE(result->document, sampleDocument());
            QCOMPARE(result->trailingBytes, 8); // ignored, but counted for mvstool check
        } else {
            QVERIFY2(result.error().endsWith(u"(byte offset %1)"_s.arg(errorOffset)),
                     qPrintable(result.error()));
        }
        // Text that is not the magic is named as such; a cut one as cut.
        if (!sample)
            QCOMPARE(result.error().contains(u"does not begin with \"MORVA\""_s),
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
        const QString path = m_dir.file(u"special-"_s + kind);
        if (kind == u"fifo")
            QVERIFY(MakeFifo(path));
        else if (kind == u"zero")
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        else
            QVERIFY(QDir().mkdir(path));
        const DecodeResult result = ReadScheduleFileAt(path);
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(u"not a regular file"_s), qPrintable(result.error()));
    }

    void failedSaveLeavesTheOldFile_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("sizeLimit"); // 0: none
        const ScheduleDocument sample = sampleDocument();
        QTest::newRow("folder that does not exist") << u"no/keep.mvs"_s << sample << QString() << 0;
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
        QVERIFY(WriteSchedule(m_dir.path(), u"keep.mvs"_s, sampleDocument(false)));
        const auto before = FolderSnapshot(m_dir.path());
        // 0: refused for the reason, 1: reported success, 2: no or another reason.
        QCOMPARE(ExitCodeInChild([&] {
                     if (sizeLimit > 0)
                         FillDiskAfter(sizeLimit);
                     const auto saved = WriteScheduleFile(m_dir.file(fileName), document, m_random);
                     return saved                                                        ? 1
                            : saved.error().isEmpty() || !saved.error().contains(reason) ? 2
                                                                                         : 0;
                 }),
                 0);
        QCOMPARE(FolderSnapshot(m_dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestScheduleFormat)
#include "tst_scheduleformat.moc"

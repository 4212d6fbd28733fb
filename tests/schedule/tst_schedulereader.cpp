#include "TestSupport.h"
#include "schedule/ScheduleReader.h"
#include "schedule/ScheduleWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const AdvancePeriod SamplePeriod = MakePeriod(2006, 12, 28, 2007, 1, 5, 3);

// Two basic entries, an advance entry with a detail, one without details and
// one with two: every kind of record and both markers.
ScheduleDocument sampleDocument() {
    ScheduleDocument document;
    document.appendBasic(MakeMediaEntry("SONG", "MP3", 5, 10));
    document.appendBasic(MakeMediaEntry("ABCDEFGHIJKLMNOP", "JPEG", 100, 17));
    document.appendAdvance(MakeAdvanceEntry(SamplePeriod, {MakeMediaEntry("CLIP", "")}));
    document.appendAdvance(MakeAdvanceEntry(MakePeriod(2099, 2, 28, 2099, 3, 1, 7)));
    document.appendAdvance(MakeAdvanceEntry(
        SamplePeriod, {MakeMediaEntry("X.Y", "AVI", 0, 0), MakeMediaEntry("Z", "MPG", 3, 16)}));
    return document;
}

// What the caller held before a read that must fail.
ScheduleDocument callersDocument() {
    ScheduleDocument document;
    document.appendBasic(MakeMediaEntry("KEEP", "ME", 7, 7));
    document.appendAdvance(MakeAdvanceEntry(SamplePeriod, {MakeMediaEntry("KEPT", "TOO")}));
    return document;
}

QByteArray encode(const ScheduleDocument& document, double r = 0.5) {
    ScriptedRandomSource random({}, r);
    return EncodeSchedule(document, random);
}

// A key of 30 bytes, all 50: every stored byte of the stream is its plain
// byte plus 50.
const QByteArray FiftyKey(30, char(50));

HeaderFields headerFor(int basicCount, int advanceCount, int keyLength = 30) {
    HeaderFields header;
    header.keyBlockLength = 100;
    header.keyOffset = 10;
    header.keyLength = quint8(keyLength);
    header.basicCount = quint8(basicCount);
    header.advanceCount = quint8(advanceCount);
    return header;
}

} // namespace

class TestScheduleReader final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString folder() const { return m_dir.path() + u'/'; }

    void verifyReadFails(const QString& fileName, const QString& what) {
        ScheduleDocument document = callersDocument();
        QString error;
        QVERIFY2(!ReadScheduleFile(folder(), fileName, document, &error), qPrintable(what));
        QVERIFY2(!error.isEmpty(), qPrintable(what));
        QCOMPARE(document, callersDocument());
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyTruncationFailsCleanly() {
        const QByteArray bytes = encode(sampleDocument());
        QVERIFY(DecodeSchedule(bytes).ok);
        const QRegularExpression offsetText(u"byte offset (\\d+)"_s);
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            const QString what = u"length %1"_s.arg(length);
            QVERIFY(WriteFileContent(m_dir.filePath(u"cut.mvs"_s), bytes.left(length)));
            ScheduleDocument document = callersDocument();
            QString error;
            QVERIFY2(!ReadScheduleFile(folder(), u"cut.mvs"_s, document, &error), qPrintable(what));
            QCOMPARE(document, callersDocument());
            // Reading fails where the file ends.
            const QRegularExpressionMatch match = offsetText.match(error);
            QVERIFY2(match.hasMatch(), qPrintable(what + u": "_s + error));
            QCOMPARE(match.captured(1).toLongLong(), length);
            QCOMPARE(DecodeSchedule(bytes.left(length)).errorOffset, length);
        }
    }

    void damagedHeaderFails_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("offset");

        const QByteArray basicStream = "#1" + PlainMediaRecord(MakeMediaEntry("A", "MP3"));
        const QByteArray advanceStream = PlainAdvanceRecord(SamplePeriod, 0, 0);
        QTest::newRow("N = 0 with a basic entry")
            << HandMadeFile(headerFor(1, 0, 0), {}, basicStream) << qint64(34);
        QTest::newRow("N = 0 with an advance entry")
            << HandMadeFile(headerFor(0, 1, 0), {}, advanceStream) << qint64(34);

        HeaderFields beyond = headerFor(1, 0, 50);
        beyond.keyBlockLength = 100;
        beyond.keyOffset = 51; // 51 + 50 > 100
        QTest::newRow("key past its block")
            << HandMadeFile(beyond, FiftyKey, basicStream) << qint64(32);
        HeaderFields largest = headerFor(1, 0, 50);
        largest.keyBlockLength = 255;
        largest.keyOffset = 255; // S + N beyond 255
        QTest::newRow("key past the largest block")
            << HandMadeFile(largest, FiftyKey, basicStream) << qint64(32);
    }

    void damagedHeaderFails() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, offset);
        const DecodeResult result = DecodeSchedule(bytes);
        QVERIFY(!result.ok);
        QCOMPARE(result.errorOffset, offset);
        QVERIFY2(result.error.contains(u"byte offset %1"_s.arg(offset)), qPrintable(result.error));

        QVERIFY(WriteFileContent(m_dir.filePath(u"damaged.mvs"_s), bytes));
        verifyReadFails(u"damaged.mvs"_s, QString::fromLatin1(QTest::currentDataTag()));
    }

    void keyFillingItsBlockExactlyReads() {
        HeaderFields header = headerFor(1, 0, 50);
        header.keyBlockLength = 100;
        header.keyOffset = 50; // the last 50 bytes of the block
        const MediaEntry entry = MakeMediaEntry("A", "MP3");
        const DecodeResult result = DecodeSchedule(
            HandMadeFile(header, QByteArray(50, char(9)), "#1" + PlainMediaRecord(entry)));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.document.basicEntries(), QList<MediaEntry>{entry});
    }

    void storedByteSmallerThanItsKeyByteFails_data() {
        // A stream that is all plain 0 bytes stores the key itself; one byte
        // lowered below its key byte must stop the read right there.
        QTest::addColumn<int>("streamPosition");
        QTest::newRow("first marker byte") << 0;
        QTest::newRow("inside a basic record") << 2 + 30 + 5;
        QTest::newRow("advance record filler") << 2 + 60 + 15;
        QTest::newRow("last byte") << -1;
    }

    void storedByteSmallerThanItsKeyByteFails() {
        QFETCH(int, streamPosition);
        QByteArray bytes = encode(sampleDocument(), 0.5); // every key byte is 64
        const int streamStart = 50 + quint8(bytes[30]);
        const qsizetype position =
            streamPosition < 0 ? bytes.size() - 1 : streamStart + streamPosition;
        bytes[position] = char(63);
        const DecodeResult result = DecodeSchedule(bytes);
        QVERIFY(!result.ok);
        QCOMPARE(result.errorOffset, position);
        QVERIFY2(result.error.contains(u"byte offset %1"_s.arg(position)),
                 qPrintable(result.error));

        QVERIFY(WriteFileContent(m_dir.filePath(u"low.mvs"_s), bytes));
        verifyReadFails(u"low.mvs"_s, QString::fromLatin1(QTest::currentDataTag()));
    }

    void emptyKeyWithoutEntriesReadsAsEmptyDocument() {
        ScheduleDocument document = callersDocument();
        QVERIFY(WriteFileContent(m_dir.filePath(u"nokey.mvs"_s),
                                 HandMadeFile(headerFor(0, 0, 0), {}, {})));
        QString error;
        QVERIFY2(ReadScheduleFile(folder(), u"nokey.mvs"_s, document, &error), qPrintable(error));
        QVERIFY(document.isEmpty());
    }

    void handMadeFileReads() {
        // Built without the writer: B = 1, A = 2, the key running on over
        // every section.
        const MediaEntry basic = MakeMediaEntry("SONG", "MP3", 5, 10);
        const MediaEntry detail = MakeMediaEntry("CLIP", "", 0, 17);
        AdvancePeriod second = MakePeriod(2000, 1, 5, 2001, 2, 3, 9);
        second.stopHour = 6;
        const QByteArray stream = "#1" + PlainMediaRecord(basic, 127, 0) +
                                  PlainAdvanceRecord(SamplePeriod, 3, 1) +
                                  PlainMediaRecord(detail) + PlainAdvanceRecord(second, 0, 0);
        QByteArray key;
        for (int i = 0; i < 37; ++i)
            key.append(char(i * 3));
        const DecodeResult result = DecodeSchedule(HandMadeFile(headerFor(1, 2, 37), key, stream));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.trailingBytes, 0);
        const ScheduleDocument expected(
            {basic}, {MakeAdvanceEntry(SamplePeriod, {detail}), MakeAdvanceEntry(second)});
        QCOMPARE(result.document, expected);
    }

    void noBasicMarkerWithoutBasicEntries() {
        // B = 0: the stream starts with the advance record at key index 0.
        const MediaEntry detail = MakeMediaEntry("CLIP", "AVI", 2, 3);
        const QByteArray stream = PlainAdvanceRecord(SamplePeriod, 0, 1) + PlainMediaRecord(detail);
        QByteArray key;
        for (int i = 0; i < 30; ++i)
            key.append(char(1 + i));
        const DecodeResult result = DecodeSchedule(HandMadeFile(headerFor(0, 1), key, stream));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.trailingBytes, 0);
        QCOMPARE(result.document, ScheduleDocument({}, {MakeAdvanceEntry(SamplePeriod, {detail})}));
    }

    void magicAndMarkersAreNotChecked() {
        QByteArray bytes = encode(sampleDocument());
        bytes.replace(0, 25, QByteArray(25, 'x'));
        const DecodeResult result = DecodeSchedule(bytes);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.document, sampleDocument());

        const MediaEntry entry = MakeMediaEntry("A", "MP3");
        const QByteArray otherMarkers =
            "??" + PlainMediaRecord(entry) + "!!" + PlainAdvanceRecord(SamplePeriod, 0, 0).mid(2);
        const DecodeResult other =
            DecodeSchedule(HandMadeFile(headerFor(1, 1), FiftyKey, otherMarkers));
        QVERIFY2(other.ok, qPrintable(other.error));
        QCOMPARE(other.document, ScheduleDocument({entry}, {MakeAdvanceEntry(SamplePeriod)}));
    }

    void trailingBytesAreIgnoredAndCounted() {
        const QByteArray bytes = encode(sampleDocument()) + QByteArray("garbage");
        const DecodeResult result = DecodeSchedule(bytes);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.trailingBytes, 7);
        QCOMPARE(result.document, sampleDocument());

        QVERIFY(WriteFileContent(m_dir.filePath(u"trailing.mvs"_s), bytes));
        ScheduleDocument document;
        qint64 trailing = -1;
        QString error;
        QVERIFY2(ReadScheduleFile(folder(), u"trailing.mvs"_s, document, &error, &trailing),
                 qPrintable(error));
        QCOMPARE(trailing, 7);
        QCOMPARE(document, sampleDocument());
    }

    void trailingBytesBeyondTheLargestFileAreCounted() {
        // A huge file chosen by mistake: the schedule at its start still reads.
        const QByteArray schedule = encode(sampleDocument());
        const qint64 extra = LargestScheduleFileSize() + 1000;
        QVERIFY(
            WriteFileContent(m_dir.filePath(u"huge.mvs"_s), schedule + QByteArray(extra, '\0')));
        const DecodeResult result = ReadScheduleFileAt(m_dir.filePath(u"huge.mvs"_s));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.trailingBytes, extra);
        QCOMPARE(result.document, sampleDocument());
    }

    void largestFileReadsCompletely() {
        // 255 entries everywhere and the longest key block.
        ScheduleDocument document;
        DocumentGenerator generator(99);
        for (int j = 0; j < 255; ++j)
            document.appendBasic(generator.byteMediaEntry());
        const AdvanceEntry entry = generator.byteAdvanceEntry(255);
        for (int j = 0; j < 255; ++j)
            document.appendAdvance(entry);

        QList<double> longestBlock(5, 0.0);
        longestBlock.append({0.99999, 0.99999, 0.99999}); // L 255, S 205, N 50
        // A detail count of 255 fits only a key byte of 0: the key is all 0.
        ScriptedRandomSource random(longestBlock, 0.0);
        QVERIFY(WriteScheduleFile(folder(), u"largest.mvs"_s, document, random));
        QCOMPARE(QFileInfo(m_dir.filePath(u"largest.mvs"_s)).size(), LargestScheduleFileSize());

        ScheduleDocument read;
        QString error;
        qint64 trailing = -1;
        QVERIFY2(ReadScheduleFile(folder(), u"largest.mvs"_s, read, &error, &trailing),
                 qPrintable(error));
        QCOMPARE(trailing, 0);
        QVERIFY(read == document);
    }

    void countsUpTo255AreTakenAsTheyAre() {
        ScheduleDocument document;
        for (int j = 0; j < 255; ++j)
            document.appendBasic(MakeMediaEntry("B", ""));
        const DecodeResult result = DecodeSchedule(encode(document));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.document.basicCount(), 255);
    }

    void fileThatCannotBeOpenedFails() {
        verifyReadFails(u"missing.mvs"_s, u"missing file"_s);
        QVERIFY(QDir(m_dir.path()).mkdir(u"folder.mvs"_s));
        verifyReadFails(u"folder.mvs"_s, u"folder"_s);
        QVERIFY(WriteFileContent(m_dir.filePath(u"plain"_s), "x"));
        verifyReadFails(u"plain/inside.mvs"_s, u"path through a file"_s);
    }

    void readIsRepeatableIntoTheSameDocument() {
        // A second read replaces, it does not add.
        QVERIFY(WriteFileContent(m_dir.filePath(u"twice.mvs"_s), encode(sampleDocument())));
        ScheduleDocument document = callersDocument();
        QVERIFY(ReadScheduleFile(folder(), u"twice.mvs"_s, document));
        QVERIFY(ReadScheduleFile(folder(), u"twice.mvs"_s, document));
        QCOMPARE(document, sampleDocument());
    }
};

QTEST_GUILESS_MAIN(TestScheduleReader)
#include "tst_schedulereader.moc"

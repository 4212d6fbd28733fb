#include "TestSupport.h"
#include "schedule/ScheduleReader.h"
#include "schedule/ScheduleWriter.h"
#include "schedule/Scrambling.h"

#include <QTest>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A file drawn from a script: the header draws, then the key block, then the
// stream fillers, in the writer's order. The key is the block's bytes at S.
struct ScriptedFile {
    HeaderFields header;
    QByteArray keyBlock;
    DrawScript draws;

    QByteArray key() const { return keyBlock.mid(header.keyOffset, header.keyLength); }
};

ScriptedFile scriptHeaderAndKeyBlock(const ScheduleDocument& document, int keyBlockLength,
                                     int keyOffset, int keyLength) {
    ScriptedFile file;
    HeaderFields& h = file.header;
    h.fillersAt25 = {11, 22, 33, 44, 55};
    h.keyBlockLength = quint8(keyBlockLength);
    h.fillerAt31 = 66;
    h.keyOffset = quint8(keyOffset);
    h.fillerAt33 = 77;
    h.keyLength = quint8(keyLength);
    h.fillerAt35 = 88;
    h.fillersAt36 = {1, 2, 3, 255};
    h.basicCount = quint8(document.basicCount());
    h.advanceCount = quint8(document.advanceCount());
    h.fillersAt42 = {200, 201, 202, 203, 204, 205, 206, 0};

    DrawScript& d = file.draws;
    for (quint8 byte : h.fillersAt25)
        d.byte(byte);
    // L, then S from L, then N; the fillers between them are drawn afterwards.
    d.scaled(keyBlockLength - 100, 155);
    d.scaled(keyOffset, keyBlockLength - 50);
    d.scaled(keyLength - 30, 20);
    d.byte(h.fillerAt31);
    d.byte(h.fillerAt33);
    d.byte(h.fillerAt35);
    for (quint8 byte : h.fillersAt36)
        d.byte(byte);
    for (quint8 byte : h.fillersAt42)
        d.byte(byte);
    // Key block bytes that differ from one position to the next, 1 to 127,
    // so that a key taken from the wrong place or used with the wrong index
    // shows.
    for (int i = 0; i < keyBlockLength; ++i) {
        const quint8 byte = quint8(1 + (i * 37) % 127);
        file.keyBlock.append(char(byte));
        d.keyByte(byte);
    }
    return file;
}

// The plain stream of a document with the fillers the script draws for it.
QByteArray scriptStream(const ScheduleDocument& document, DrawScript& draws) {
    quint8 nextFiller = 100;
    const auto filler = [&]() {
        const quint8 value = nextFiller;
        nextFiller = quint8(nextFiller == 127 ? 90 : nextFiller + 1);
        draws.keyByte(value);
        return value;
    };
    QByteArray plain;
    if (document.basicCount() > 0) {
        plain.append("#1");
        for (const MediaEntry& entry : document.basicEntries()) {
            const quint8 f1 = filler();
            const quint8 f2 = filler();
            plain.append(PlainMediaRecord(entry, f1, f2));
        }
    }
    for (const AdvanceEntry& entry : document.advanceEntries()) {
        plain.append(PlainAdvanceRecord(entry.period(), filler(), quint8(entry.detailCount())));
        for (const MediaEntry& detail : entry.details) {
            const quint8 f1 = filler();
            const quint8 f2 = filler();
            plain.append(PlainMediaRecord(detail, f1, f2));
        }
    }
    return plain;
}

const AdvancePeriod SamplePeriod = [] {
    AdvancePeriod period = MakePeriod(2006, 12, 28, 2007, 1, 5, 3);
    period.startHour = 8;
    period.startMinute = 30;
    period.startSecond = 15;
    period.stopHour = 22;
    period.stopMinute = 45;
    period.stopSecond = 59;
    return period;
}();

ScheduleDocument sampleDocument() {
    ScheduleDocument document;
    document.appendBasic(MakeMediaEntry("SONG", "MP3", 5, 10));
    document.appendAdvance(MakeAdvanceEntry(
        SamplePeriod, {MakeMediaEntry("CLIP", "", 1, 17), MakeMediaEntry("A.B", "JPEG", 100, 0)}));
    return document;
}

ScheduleDocument documentWith(int basic, int advance, int detailsEach) {
    ScheduleDocument document;
    for (int j = 0; j < basic; ++j)
        document.appendBasic(MakeMediaEntry("B", "MP3"));
    for (int j = 0; j < advance; ++j) {
        AdvanceEntry entry = MakeAdvanceEntry(SamplePeriod);
        entry.details.fill(MakeMediaEntry("D", "AVI"), detailsEach);
        document.appendAdvance(entry);
    }
    return document;
}

qint64 expectedFileLength(const ScheduleDocument& document, int keyBlockLength) {
    qint64 length = 50 + keyBlockLength;
    if (document.basicCount() > 0)
        length += 2 + 30 * document.basicCount();
    for (const AdvanceEntry& entry : document.advanceEntries())
        length += 17 + 30 * entry.detailCount();
    return length;
}

// What every file the writer makes must show in its plain parts.
void verifyHeaderAndKeyBlock(const QByteArray& bytes, const ScheduleDocument& document) {
    QVERIFY(bytes.size() >= 150);
    QCOMPARE(bytes.left(25), QByteArray("MORVA0100KERNEL0000061018"));
    const int keyBlockLength = quint8(bytes[30]);
    const int keyOffset = quint8(bytes[32]);
    const int keyLength = quint8(bytes[34]);
    QVERIFY2(keyBlockLength >= 100, QByteArray::number(keyBlockLength));
    QVERIFY2(keyOffset <= keyBlockLength - 50, QByteArray::number(keyOffset));
    QVERIFY2(keyLength >= 30 && keyLength <= 50, QByteArray::number(keyLength));
    QCOMPARE(quint8(bytes[40]), quint8(document.basicCount()));
    QCOMPARE(quint8(bytes[41]), quint8(document.advanceCount()));
    for (int i = 0; i < keyBlockLength; ++i)
        QVERIFY2(quint8(bytes[50 + i]) <= 127, QByteArray::number(i));
    QCOMPARE(bytes.size(), expectedFileLength(document, keyBlockLength));
}

} // namespace

class TestScheduleFormat final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scrambleByte_data() {
        QTest::addColumn<bool>("scramble");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("keyByte");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<int>("keyIndex");
        QTest::addColumn<int>("output"); // -1: refused
        QTest::addColumn<int>("keyIndexAfter");

        QTest::newRow("scramble") << true << 100 << 27 << 30 << 4 << 127 << 5;
        QTest::newRow("scramble 128 with largest key byte")
            << true << 128 << 127 << 30 << 0 << 255 << 1;
        QTest::newRow("scramble sum 256 refused") << true << 129 << 127 << 30 << 7 << -1 << 7;
        QTest::newRow("scramble 255 with key 0") << true << 255 << 0 << 30 << 0 << 255 << 1;
        QTest::newRow("scramble 255 with key 1 refused") << true << 255 << 1 << 30 << 3 << -1 << 3;
        QTest::newRow("scramble wraps at N") << true << 0 << 5 << 30 << 29 << 5 << 0;
        QTest::newRow("scramble wraps at N = 1") << true << 1 << 1 << 1 << 0 << 2 << 0;
        QTest::newRow("scramble empty key refused") << true << 1 << 0 << 0 << 0 << -1 << 0;

        QTest::newRow("unscramble") << false << 127 << 27 << 30 << 4 << 100 << 5;
        QTest::newRow("unscramble to 0") << false << 27 << 27 << 30 << 0 << 0 << 1;
        QTest::newRow("unscramble below 0 refused") << false << 26 << 27 << 30 << 12 << -1 << 12;
        QTest::newRow("unscramble 255") << false << 255 << 127 << 50 << 0 << 128 << 1;
        QTest::newRow("unscramble wraps at N") << false << 5 << 5 << 50 << 49 << 0 << 0;
        QTest::newRow("unscramble empty key refused") << false << 9 << 0 << 0 << 0 << -1 << 0;
    }

    void scrambleByte() {
        QFETCH(bool, scramble);
        QFETCH(int, input);
        QFETCH(int, keyByte);
        QFETCH(int, keyLength);
        QFETCH(int, keyIndex);
        QFETCH(int, output);
        QFETCH(int, keyIndexAfter);
        const std::optional<quint8> result =
            scramble ? ScrambleByte(quint8(input), quint8(keyByte), keyLength, keyIndex)
                     : UnscrambleByte(quint8(input), quint8(keyByte), keyLength, keyIndex);
        QCOMPARE(result.has_value(), output >= 0);
        if (result)
            QCOMPARE(int(*result), output);
        QCOMPARE(keyIndex, keyIndexAfter);
    }

    // Small documents against files built by hand from the layout, with
    // every random draw scripted.
    void writerGivesExactBytes_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<int>("keyBlockLength");
        QTest::addColumn<int>("keyOffset");
        QTest::addColumn<int>("keyLength");

        ScheduleDocument basicOnly;
        basicOnly.appendBasic(MakeMediaEntry("SONG", "MP3", 5, 10));
        basicOnly.appendBasic(MakeMediaEntry("ABCDEFGHIJKLMNOP", "JPEG", 0, 16));

        ScheduleDocument advanceOnly;
        advanceOnly.appendAdvance(MakeAdvanceEntry(SamplePeriod));
        advanceOnly.appendAdvance(MakeAdvanceEntry(SamplePeriod, {MakeMediaEntry("X", "MPG")}));

        // Two basic and three advance records with details make a stream of
        // 2 + 60 + 3 * 17 + 4 * 30 = 233 bytes: the key of 31 wraps inside
        // markers, records and between the sections.
        ScheduleDocument mixed = advanceOnly;
        mixed.appendBasic(MakeMediaEntry("SONG", "MP3", 5, 10));
        mixed.appendBasic(MakeMediaEntry("CLIP", "", 100, 17));
        mixed.appendAdvance(MakeAdvanceEntry(
            MakePeriod(2099, 12, 31, 2099, 12, 31, 7),
            {MakeMediaEntry("Y", "AVI", 3, 0), MakeMediaEntry("Z.Z", "DAT", 1, 1)}));
        mixed.appendDetail(0, MakeMediaEntry("FIRST", "VOB"));

        QTest::newRow("empty, shortest block") << ScheduleDocument() << 100 << 0 << 30;
        QTest::newRow("empty, longest block") << ScheduleDocument() << 255 << 205 << 50;
        QTest::newRow("basic only") << basicOnly << 100 << 7 << 30;
        QTest::newRow("advance only") << advanceOnly << 120 << 70 << 50;
        QTest::newRow("one basic, one advance with two details")
            << sampleDocument() << 180 << 3 << 41;
        QTest::newRow("mixed, key of 31") << mixed << 137 << 50 << 31;
    }

    void writerGivesExactBytes() {
        QFETCH(ScheduleDocument, document);
        QFETCH(int, keyBlockLength);
        QFETCH(int, keyOffset);
        QFETCH(int, keyLength);

        ScriptedFile file = scriptHeaderAndKeyBlock(document, keyBlockLength, keyOffset, keyLength);
        const QByteArray plain = scriptStream(document, file.draws);
        const QByteArray expected =
            HeaderBytes(file.header) + file.keyBlock + ScrambleWithKey(plain, file.key());

        ScriptedRandomSource random(file.draws.units(), 0.5);
        QString error;
        const QByteArray bytes = EncodeSchedule(document, random, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(random.drawCount(), random.scriptLength());
        QCOMPARE(bytes.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(bytes[i] == expected[i],
                     qPrintable(u"first difference at offset %1"_s.arg(i)));

        const DecodeResult decoded = DecodeSchedule(bytes);
        QVERIFY2(decoded.ok, qPrintable(decoded.error));
        QCOMPARE(decoded.document, document);
    }

    void emptyDocumentIsHeaderAndKeyBlock() {
        SeededRandomSource random(7);
        for (int i = 0; i < 50; ++i) {
            const QByteArray bytes = EncodeSchedule(ScheduleDocument(), random);
            QCOMPARE(bytes.size(), 50 + quint8(bytes[30]));
            QVERIFY(bytes.size() >= 150 && bytes.size() <= 305);
        }
    }

    void keyDrawsReachTheirExtremes_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("keyBlockLength");
        QTest::addColumn<int>("keyOffset");
        QTest::addColumn<int>("keyLength");
        QTest::newRow("r = 0") << 0.0 << 100 << 0 << 30;
        QTest::newRow("r = 0.5") << 0.5 << 178 << 64 << 40;
        QTest::newRow("r just below 1") << 0.99999 << 255 << 205 << 50;
    }

    void keyDrawsReachTheirExtremes() {
        QFETCH(double, r);
        QFETCH(int, keyBlockLength);
        QFETCH(int, keyOffset);
        QFETCH(int, keyLength);
        ScriptedRandomSource random({}, r);
        const ScheduleDocument document = sampleDocument();
        const QByteArray bytes = EncodeSchedule(document, random);
        QCOMPARE(int(quint8(bytes[30])), keyBlockLength);
        QCOMPARE(int(quint8(bytes[32])), keyOffset);
        QCOMPARE(int(quint8(bytes[34])), keyLength);
        QCOMPARE(bytes.size(), 159 + keyBlockLength);
        QCOMPARE(DecodeSchedule(bytes).document, document);
    }

    void fileLengthOfOneBasicAndOneAdvanceWithTwoDetails() {
        const ScheduleDocument document = sampleDocument();
        for (quint32 seed = 1; seed <= 40; ++seed) {
            SeededRandomSource random(seed);
            const QByteArray bytes = EncodeSchedule(document, random);
            QCOMPARE(bytes.size(), 159 + quint8(bytes[30]));
        }
    }

    void roundTripOfRandomDocuments_data() {
        QTest::addColumn<bool>("byteLevel");
        QTest::newRow("editor documents") << false;
        QTest::newRow("byte-level documents") << true;
    }

    void roundTripOfRandomDocuments() {
        QFETCH(bool, byteLevel);
        for (quint32 seed = 1; seed <= 150; ++seed) {
            DocumentGenerator generator(seed);
            const ScheduleDocument document =
                byteLevel ? generator.byteDocument() : generator.editorDocument();
            SeededRandomSource random(seed * 7919u);
            QString error;
            const QByteArray bytes = EncodeSchedule(document, random, &error);
            QVERIFY2(error.isEmpty(), qPrintable(u"seed %1: %2"_s.arg(seed).arg(error)));
            verifyHeaderAndKeyBlock(bytes, document);
            if (QTest::currentTestFailed()) {
                qWarning("seed %u", seed);
                return;
            }
            const DecodeResult decoded = DecodeSchedule(bytes);
            QVERIFY2(decoded.ok, qPrintable(u"seed %1: %2"_s.arg(seed).arg(decoded.error)));
            QCOMPARE(decoded.trailingBytes, 0);
            QCOMPARE(decoded.document, document);
        }
    }

    void twoSavesOfOneDocumentDiffer() {
        DocumentGenerator generator(3);
        ScheduleDocument document = sampleDocument();
        document.appendBasic(generator.editorMediaEntry());
        SeededRandomSource random(42);
        const QByteArray first = EncodeSchedule(document, random);
        const QByteArray second = EncodeSchedule(document, random);
        QVERIFY(first != second);
        QCOMPARE(DecodeSchedule(first).document, document);
        QCOMPARE(DecodeSchedule(second).document, document);
    }

    void namesWithHighBytesRoundTrip_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("129") << QByteArray("\x81");
        QTest::newRow("e acute and euro") << QByteArray("CAF\xE9\x80");
        QTest::newRow("200 and 230") << QByteArray("\xC8X\xE6");
    }

    void namesWithHighBytesRoundTrip() {
        QFETCH(QByteArray, name);
        ScheduleDocument document = sampleDocument();
        document.appendBasic(MakeMediaEntry(name, "MP3"));
        for (quint32 seed = 1; seed <= 20; ++seed) {
            SeededRandomSource random(seed);
            QString error;
            const QByteArray bytes = EncodeSchedule(document, random, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(DecodeSchedule(bytes).document, document);
        }
    }

    void detailCountAbove128RoundTrips() {
        // Stored scrambled, so it needs a small key byte like a high name byte.
        ScheduleDocument document = documentWith(1, 2, 1);
        document.appendAdvance(MakeAdvanceEntry(SamplePeriod));
        for (int d = 0; d < 200; ++d)
            document.appendDetail(2, MakeMediaEntry("D", "AVI"));
        for (quint32 seed = 1; seed <= 5; ++seed) {
            SeededRandomSource random(seed);
            QString error;
            const QByteArray bytes = EncodeSchedule(document, random, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(DecodeSchedule(bytes).document, document);
        }
    }

    // The first key has only bytes of 127, so 200 cannot be stored; the second
    // is all 0. Only the second attempt's bytes may come out.
    void byteThatDoesNotFitGetsANewKey() {
        constexpr int firstAttemptDraws = 23 + 255; // header draws and key block
        QList<double> script(firstAttemptDraws, 0.99999);
        ScriptedRandomSource random(script, 0.0);
        ScheduleDocument document;
        const MediaEntry entry = MakeMediaEntry("\xC8", "", 1, 17);
        document.appendBasic(entry);

        QString error;
        const QByteArray bytes = EncodeSchedule(document, random, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));

        HeaderFields header; // all fillers 0, L 100, S 0, N 30
        header.basicCount = 1;
        const QByteArray expected =
            HeaderBytes(header) + QByteArray(100, '\0') + "#1" + PlainMediaRecord(entry, 0, 0);
        QCOMPARE(bytes, expected);
    }

    void documentThatCannotBeStoredIsRefused() {
        ScheduleDocument document = sampleDocument();
        document.appendBasic(MakeMediaEntry(QByteArray(16, '\xFF'), "\xFF\xFF\xFF\xFF"));
        SeededRandomSource random(5);
        QString error;
        QVERIFY(EncodeSchedule(document, random, &error).isEmpty());
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(u"basic entry 2"_s), qPrintable(error));
    }

    void countsAbove255AreRefused_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<bool>("stored");
        QTest::newRow("255 basic") << documentWith(255, 0, 0) << true;
        QTest::newRow("256 basic") << documentWith(256, 0, 0) << false;
        QTest::newRow("255 advance") << documentWith(0, 255, 1) << true;
        QTest::newRow("256 advance") << documentWith(0, 256, 1) << false;
        QTest::newRow("255 details") << documentWith(1, 1, 255) << true;
        QTest::newRow("256 details") << documentWith(1, 1, 256) << false;
    }

    void countsAbove255AreRefused() {
        QFETCH(ScheduleDocument, document);
        QFETCH(bool, stored);
        // A key of 0 bytes stores any count byte; only the count limit refuses.
        ScriptedRandomSource random({}, 0.0);
        QString error;
        const QByteArray bytes = EncodeSchedule(document, random, &error);
        QCOMPARE(!bytes.isEmpty(), stored);
        QCOMPARE(error.isEmpty(), stored);
        if (stored)
            QCOMPARE(DecodeSchedule(bytes).document, document);
        else
            QVERIFY2(error.contains(u"256"_s), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestScheduleFormat)
#include "tst_scheduleformat.moc"

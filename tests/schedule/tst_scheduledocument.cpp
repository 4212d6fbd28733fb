#include "TestSupport.h"
#include "schedule/ScheduleDocument.h"

#include <QTest>
#include <functional>

namespace {

MediaEntry media(const char* name) {
    return MakeMediaEntry(name, "MP3");
}

const AdvancePeriod FirstPeriod = MakePeriod(2006, 1, 1, 2006, 1, 31, 0);
const AdvancePeriod SecondPeriod = MakePeriod(2007, 2, 1, 2007, 2, 28, 1);
const AdvancePeriod ThirdPeriod = MakePeriod(2008, 3, 1, 2008, 3, 31, 2);

// The basic list and a detail list behave alike; the tests reach either one
// through these.
struct MediaList {
    std::function<bool(ScheduleDocument&, const MediaEntry&)> append;
    std::function<bool(ScheduleDocument&, qsizetype, const MediaEntry&)> replace;
    std::function<bool(ScheduleDocument&, qsizetype)> remove;
    std::function<bool(ScheduleDocument&, qsizetype, qsizetype)> swap;
    std::function<QList<MediaEntry>(const ScheduleDocument&)> entries;
};

MediaList basicList() {
    return {
        [](ScheduleDocument& d, const MediaEntry& e) {
            d.appendBasic(e);
            return true;
        },
        [](ScheduleDocument& d, qsizetype row, const MediaEntry& e) {
            return d.replaceBasic(row, e);
        },
        [](ScheduleDocument& d, qsizetype row) { return d.removeBasic(row); },
        [](ScheduleDocument& d, qsizetype row, qsizetype other) { return d.swapBasic(row, other); },
        [](const ScheduleDocument& d) { return d.basicEntries(); },
    };
}

// The detail list of advance row 1 in a document whose rows 0 and 2 have
// details of their own that must never be touched.
MediaList detailList() {
    return {
        [](ScheduleDocument& d, const MediaEntry& e) { return d.appendDetail(1, e); },
        [](ScheduleDocument& d, qsizetype row, const MediaEntry& e) {
            return d.replaceDetail(1, row, e);
        },
        [](ScheduleDocument& d, qsizetype row) { return d.removeDetail(1, row); },
        [](ScheduleDocument& d, qsizetype row, qsizetype other) {
            return d.swapDetail(1, row, other);
        },
        [](const ScheduleDocument& d) { return d.advanceEntries()[1].details; },
    };
}

ScheduleDocument documentWithNeighbours() {
    ScheduleDocument document;
    document.appendBasic(media("OTHER"));
    document.appendAdvance(MakeAdvanceEntry(FirstPeriod, {media("N1"), media("N2")}));
    document.appendAdvance(MakeAdvanceEntry(SecondPeriod));
    document.appendAdvance(MakeAdvanceEntry(ThirdPeriod, {media("N3")}));
    return document;
}

// A document whose details per advance entry are given; no basic entries.
ScheduleDocument advanceOnly(int entries, int detailsEach) {
    ScheduleDocument document;
    for (int j = 0; j < entries; ++j) {
        AdvanceEntry entry = MakeAdvanceEntry(FirstPeriod);
        entry.details.fill(media("CLIP"), detailsEach);
        document.appendAdvance(entry);
    }
    return document;
}

QList<MediaEntry> mediaList(std::initializer_list<const char*> names) {
    QList<MediaEntry> list;
    for (const char* name : names)
        list.append(media(name));
    return list;
}

} // namespace

class TestScheduleDocument final : public QObject {
    Q_OBJECT

private:
    void addMediaListRows() {
        QTest::addColumn<bool>("detail");
        QTest::newRow("basic list") << false;
        QTest::newRow("detail list") << true;
    }

    // Sets up A, B, C on the chosen list of a document with neighbours.
    static ScheduleDocument threeEntries(const MediaList& list) {
        ScheduleDocument document = documentWithNeighbours();
        for (const char* name : {"A", "B", "C"})
            list.append(document, media(name));
        return document;
    }

    // Everything outside the list under test is as documentWithNeighbours()
    // left it.
    static void verifyNeighboursUntouched(const ScheduleDocument& document, bool detail) {
        const ScheduleDocument original = documentWithNeighbours();
        if (detail) {
            QCOMPARE(document.basicEntries(), original.basicEntries());
        } else {
            QCOMPARE(document.basicEntries().first(), original.basicEntries().first());
            QCOMPARE(document.advanceEntries()[1], original.advanceEntries()[1]);
        }
        QCOMPARE(document.advanceEntries()[0], original.advanceEntries()[0]);
        QCOMPARE(document.advanceEntries()[2], original.advanceEntries()[2]);
        QCOMPARE(document.advanceEntries()[1].period(), SecondPeriod);
    }

    static QList<MediaEntry> listUnderTest(const ScheduleDocument& document, bool detail) {
        if (detail)
            return document.advanceEntries()[1].details;
        return document.basicEntries().mid(1); // after the neighbour OTHER
    }

    static qsizetype firstRow(bool detail) { return detail ? 0 : 1; }

private Q_SLOTS:
    void mediaListOperations_data() { addMediaListRows(); }
    void mediaListOperations() {
        QFETCH(bool, detail);
        const MediaList list = detail ? detailList() : basicList();
        ScheduleDocument document = threeEntries(list);
        const qsizetype r0 = firstRow(detail);
        QCOMPARE(listUnderTest(document, detail), mediaList({"A", "B", "C"}));

        QVERIFY(list.replace(document, r0 + 1, media("X")));
        QCOMPARE(listUnderTest(document, detail), mediaList({"A", "X", "C"}));

        QVERIFY(list.swap(document, r0 + 1, r0 + 2)); // Move Down
        QCOMPARE(listUnderTest(document, detail), mediaList({"A", "C", "X"}));
        QVERIFY(list.swap(document, r0 + 1, r0)); // Move Up
        QCOMPARE(listUnderTest(document, detail), mediaList({"C", "A", "X"}));

        QVERIFY(list.remove(document, r0 + 1));
        QCOMPARE(listUnderTest(document, detail), mediaList({"C", "X"}));
        QVERIFY(list.remove(document, r0 + 1));
        QVERIFY(list.remove(document, r0));
        QCOMPARE(listUnderTest(document, detail), QList<MediaEntry>());

        verifyNeighboursUntouched(document, detail);
    }

    void mediaListRefusesRowsOutOfRange_data() {
        QTest::addColumn<bool>("detail");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<qsizetype>("row");
        QTest::addColumn<qsizetype>("other");
        for (bool detail : {false, true}) {
            const char* list = detail ? "detail" : "basic";
            const qsizetype end = detail ? 3 : 4; // one past the last row
            const qsizetype last = end - 1;
            const auto row = [&](const char* name, const char* operation, qsizetype r,
                                 qsizetype o) {
                QTest::addRow("%s %s", list, name)
                    << detail << QString::fromLatin1(operation) << r << o;
            };
            row("replace -1", "replace", -1, 0);
            row("replace past end", "replace", end, 0);
            row("remove -1", "remove", -1, 0);
            row("remove past end", "remove", end, 0);
            row("remove far past end", "remove", end + 100, 0);
            row("swap last with past end", "swap", last, end);
            row("swap -1 with 0", "swap", -1, 0);
            row("swap with itself", "swap", 1, 1);
            row("swap non-neighbours", "swap", last - 2, last);
        }
    }

    void mediaListRefusesRowsOutOfRange() {
        QFETCH(bool, detail);
        QFETCH(QString, operation);
        QFETCH(qsizetype, row);
        QFETCH(qsizetype, other);
        const MediaList list = detail ? detailList() : basicList();
        ScheduleDocument document = threeEntries(list);
        const ScheduleDocument before = document;

        bool done = true;
        if (operation == QLatin1String("replace"))
            done = list.replace(document, row, media("X"));
        else if (operation == QLatin1String("remove"))
            done = list.remove(document, row);
        else
            done = list.swap(document, row, other);
        QVERIFY(!done);
        QCOMPARE(document, before);
    }

    void detailOperationsRefuseAdvanceRowOutOfRange_data() {
        QTest::addColumn<qsizetype>("advanceRow");
        QTest::newRow("-1") << qsizetype(-1);
        QTest::newRow("past end") << qsizetype(3);
        QTest::newRow("far past end") << qsizetype(1000);
    }

    void detailOperationsRefuseAdvanceRowOutOfRange() {
        QFETCH(qsizetype, advanceRow);
        ScheduleDocument document = documentWithNeighbours();
        const ScheduleDocument before = document;
        QVERIFY(!document.appendDetail(advanceRow, media("X")));
        QVERIFY(!document.replaceDetail(advanceRow, 0, media("X")));
        QVERIFY(!document.removeDetail(advanceRow, 0));
        QVERIFY(!document.swapDetail(advanceRow, 0, 1));
        QCOMPARE(document, before);
    }

    void advanceEntryMovesWithItsDetails() {
        ScheduleDocument document = documentWithNeighbours();
        const AdvanceEntry first = document.advanceEntries()[0];
        const AdvanceEntry second = document.advanceEntries()[1];
        const AdvanceEntry third = document.advanceEntries()[2];

        QVERIFY(document.swapAdvance(0, 1));
        QCOMPARE(document.advanceEntries(), (QList<AdvanceEntry>{second, first, third}));
        QVERIFY(document.swapAdvance(2, 1));
        QCOMPARE(document.advanceEntries(), (QList<AdvanceEntry>{second, third, first}));
        QCOMPARE(document.advanceEntries()[2].details, mediaList({"N1", "N2"}));
    }

    void advanceEntryIsRemovedWithItsDetails() {
        ScheduleDocument document = documentWithNeighbours();
        QCOMPARE(document.totalDetailCount(), 3);
        QVERIFY(document.removeAdvance(0));
        QCOMPARE(document.advanceCount(), 2);
        QCOMPARE(document.totalDetailCount(), 1);
        QCOMPARE(document.advanceEntries()[0].period(), SecondPeriod);
        QCOMPARE(document.advanceEntries()[1].details, mediaList({"N3"}));
    }

    void advanceListRefusesRowsOutOfRange() {
        ScheduleDocument document = documentWithNeighbours();
        const ScheduleDocument before = document;
        QVERIFY(!document.replaceAdvance(3, MakeAdvanceEntry(ThirdPeriod)));
        QVERIFY(!document.replaceAdvance(-1, MakeAdvanceEntry(ThirdPeriod)));
        QVERIFY(!document.setAdvancePeriod(3, ThirdPeriod));
        QVERIFY(!document.setAdvancePeriod(-1, ThirdPeriod));
        QVERIFY(!document.removeAdvance(3));
        QVERIFY(!document.removeAdvance(-1));
        QVERIFY(!document.swapAdvance(2, 3));
        QVERIFY(!document.swapAdvance(0, 2));
        QVERIFY(!document.swapAdvance(1, 1));
        QCOMPARE(document, before);
    }

    void copiedAdvanceEntryHasItsOwnDetails() {
        ScheduleDocument document = documentWithNeighbours();
        document.appendAdvance(document.advanceEntries()[0]);
        QVERIFY(document.appendDetail(3, media("NEW")));
        QVERIFY(document.replaceDetail(3, 0, media("CHANGED")));
        QCOMPARE(document.advanceEntries()[0].details, mediaList({"N1", "N2"}));
        QCOMPARE(document.advanceEntries()[3].details, mediaList({"CHANGED", "N2", "NEW"}));
    }

    void setAdvancePeriodKeepsDetails() {
        ScheduleDocument document = documentWithNeighbours();
        QVERIFY(document.setAdvancePeriod(0, ThirdPeriod));
        QCOMPARE(document.advanceEntries()[0].period(), ThirdPeriod);
        QCOMPARE(document.advanceEntries()[0].details, mediaList({"N1", "N2"}));
    }

    void replaceAdvanceReplacesDetailsToo() {
        ScheduleDocument document = documentWithNeighbours();
        QVERIFY(document.replaceAdvance(0, MakeAdvanceEntry(ThirdPeriod, mediaList({"R"}))));
        QCOMPARE(document.advanceEntries()[0], MakeAdvanceEntry(ThirdPeriod, mediaList({"R"})));
        QCOMPARE(document.totalDetailCount(), 2);
    }

    void clearEmptiesBothLists() {
        ScheduleDocument document = documentWithNeighbours();
        QVERIFY(!document.isEmpty());
        document.clear();
        QVERIFY(document.isEmpty());
        QCOMPARE(document, ScheduleDocument());
    }

    void advanceEntryWithoutDetailsMakesDocumentNonEmpty() {
        ScheduleDocument document;
        document.appendAdvance(MakeAdvanceEntry(FirstPeriod));
        QVERIFY(!document.isEmpty());
        QCOMPARE(document.totalDetailCount(), 0);
    }

    void sizeEstimate_data() {
        QTest::addColumn<int>("basic");
        QTest::addColumn<int>("advance");
        QTest::addColumn<int>("detailsEach");
        QTest::addColumn<qint64>("estimate");
        QTest::newRow("empty") << 0 << 0 << 0 << qint64(50);
        QTest::newRow("one of each") << 1 << 1 << 1 << qint64(50 + 30 + 15 + 30);
        QTest::newRow("ten advance x 99") << 0 << 10 << 99 << qint64(29900);
        QTest::newRow("ten advance x 100") << 0 << 10 << 100 << qint64(30200);
        QTest::newRow("editing limits") << 250 << 250 << 100 << qint64(761300);
        QTest::newRow("largest file") << 255 << 255 << 255 << qint64(1962275);
    }

    void sizeEstimate() {
        QFETCH(int, basic);
        QFETCH(int, advance);
        QFETCH(int, detailsEach);
        QFETCH(qint64, estimate);
        ScheduleDocument document = advanceOnly(advance, detailsEach);
        for (int j = 0; j < basic; ++j)
            document.appendBasic(media("B"));
        QCOMPARE(ScheduleSizeEstimate(document), estimate);
    }

    void sizeEstimateCountsUnevenDetails() {
        ScheduleDocument document = documentWithNeighbours(); // 1 basic, 3 advance, 3 details
        QCOMPARE(ScheduleSizeEstimate(document), 50 + 30 + 3 * 15 + 3 * 30);
    }
};

QTEST_GUILESS_MAIN(TestScheduleDocument)
#include "tst_scheduledocument.moc"

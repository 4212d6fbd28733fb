#include "TextEntries.h"
#include "TextTable.h"

#include <QTest>
#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// The tables run the check at compile time; it must work there, too.
constexpr TextEntry TwiceTheFileMenu[] = {{TextSlot::FileMenu, u"a"}, {TextSlot::FileMenu, u"b"}};
static_assert(!FindTextEntryProblems(TwiceTheFileMenu).none());

QList<int> everySlot() {
    QList<int> slotNumbers(TextSlotCount);
    std::iota(slotNumbers.begin(), slotNumbers.end(), 0);
    return slotNumbers;
}

QList<int> without(QList<int> slotNumbers, int slot) {
    slotNumbers.removeAll(slot);
    return slotNumbers;
}

QList<int> asList(const std::vector<int>& numbers) {
    return QList<int>(numbers.begin(), numbers.end());
}

} // namespace

class TestTextTables final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findTextEntryProblems_data() {
        QTest::addColumn<QList<int>>("entrySlots"); // the slot of each entry, in list order
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<QList<int>>("doubled");
        QTest::addColumn<QList<int>>("outOfRange");

        const QList<int> all = everySlot();
        const int last = TextSlotCount - 1;
        QList<int> reversed = all;
        std::reverse(reversed.begin(), reversed.end());
        QList<int> threeAsFour = all;
        threeAsFour[3] = 4;

        QTest::newRow("complete in another order")
            << reversed << QList<int>{} << QList<int>{} << QList<int>{};
        QTest::newRow("last missing")
            << without(all, last) << QList<int>{last} << QList<int>{} << QList<int>{};
        QTest::newRow("three times, named once")
            << all + QList<int>{5, 5} << QList<int>{} << QList<int>{5} << QList<int>{};
        QTest::newRow("one slot written for another")
            << threeAsFour << QList<int>{3} << QList<int>{4} << QList<int>{};
        // Positions, not slots, name what is out of range; either end counts.
        QTest::newRow("out of range below and just past the slots")
            << QList<int>{-1} + without(all, 9) + QList<int>{TextSlotCount} << QList<int>{9}
            << QList<int>{} << QList<int>{0, TextSlotCount};
    }

    void findTextEntryProblems() {
        QFETCH(QList<int>, entrySlots);
        QFETCH(QList<int>, missing);
        QFETCH(QList<int>, doubled);
        QFETCH(QList<int>, outOfRange);

        std::vector<TextEntry> entries;
        for (int slot : entrySlots)
            entries.push_back({TextSlot(slot), u"text"});
        const TextEntryProblems problems = FindTextEntryProblems(entries);

        QCOMPARE(asList(problems.missing), missing);
        QCOMPARE(asList(problems.doubled), doubled);
        QCOMPARE(asList(problems.outOfRange), outOfRange);
        QCOMPARE(problems.none(), missing.isEmpty() && doubled.isEmpty() && outOfRange.isEmpty());
    }

    void tablePutsEachTextInItsOwnSlot() {
        const TextEntry entries[] = {
            {TextSlot::Exit, u"Quit"},
            {TextSlot(TextSlotCount), u"nowhere"},
            {TextSlot::FileMenu, u"\u65E5\n"},
        };
        const TextTable table(entries);
        QCOMPARE(table.text(TextSlot::Exit), u"Quit"_s);
        QCOMPARE(table.text(TextSlot::FileMenu), u"\u65E5\n"_s);
        QVERIFY(table.text(TextSlot::New).isEmpty());
    }

    void everySlotIsFilledInBothTables() {
        for (int slot = 0; slot < TextSlotCount; ++slot) {
            const QString english = EnglishTexts().text(TextSlot(slot));
            const QString second = SecondTexts().text(TextSlot(slot));
            QVERIFY2(!english.isEmpty() && !second.isEmpty(), qPrintable(QString::number(slot)));
            // The file name and the reason must reach the user in either
            // language. The English text of an advance entry without details
            // has the number appended instead of a place for it.
            const bool numberAppended = TextSlot(slot) == TextSlot::AdvanceWithoutDetails;
            QCOMPARE(second.contains(u"%1"_s), english.contains(u"%1"_s) || numberAppended);
            QCOMPARE(second.contains(u"%2"_s), english.contains(u"%2"_s));
        }
    }

    // The English messages no other test shows, as users and their manuals know them.
    void englishMessagesAreExact() {
        const TextTable& english = EnglishTexts();
        QCOMPARE(english.text(TextSlot::ProgramRunning), u"The program is running now!!"_s);
        QCOMPARE(english.text(TextSlot::FileAlreadyExisted), u"File Already Existed, Overwrite?"_s);
        QCOMPARE(english.text(TextSlot::SaveChangesQuestion),
                 u"The schedule %1 has been changed.\nDo you want to save it?"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextTables)
#include "tst_texttables.moc"

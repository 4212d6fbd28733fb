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

        QTest::newRow("complete") << all << QList<int>{} << QList<int>{} << QList<int>{};
        QTest::newRow("complete in another order")
            << reversed << QList<int>{} << QList<int>{} << QList<int>{};
        QTest::newRow("empty") << QList<int>{} << all << QList<int>{} << QList<int>{};
        QTest::newRow("first missing")
            << without(all, 0) << QList<int>{0} << QList<int>{} << QList<int>{};
        QTest::newRow("last missing")
            << without(all, last) << QList<int>{last} << QList<int>{} << QList<int>{};
        QTest::newRow("two missing")
            << without(without(all, 17), 52) << QList<int>{17, 52} << QList<int>{} << QList<int>{};
        QTest::newRow("doubled") << all + QList<int>{5} << QList<int>{} << QList<int>{5}
                                 << QList<int>{};
        QTest::newRow("three times, named once")
            << all + QList<int>{5, 5} << QList<int>{} << QList<int>{5} << QList<int>{};
        QTest::newRow("one slot written for another")
            << threeAsFour << QList<int>{3} << QList<int>{4} << QList<int>{};
        QTest::newRow("past the last slot") << all + QList<int>{TextSlotCount} << QList<int>{}
                                            << QList<int>{} << QList<int>{TextSlotCount};
        QTest::newRow("negative, first in the list")
            << QList<int>{-1} + all << QList<int>{} << QList<int>{} << QList<int>{0};
        QTest::newRow("out of range in place of a slot")
            << without(all, 9) + QList<int>{TextSlotCount + 40} << QList<int>{9} << QList<int>{}
            << QList<int>{last};
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
            // The file name and the reason must reach the user in either language.
            for (const QString& place : {u"%1"_s, u"%2"_s})
                QCOMPARE(second.contains(place), english.contains(place));
        }
    }

    void englishMessagesAreExact() {
        // The message box texts, numbers 52 to 69, as users and their manuals know them.
        QStringList shown;
        for (int slot = 52; slot <= 69; ++slot)
            shown << EnglishTexts().text(TextSlot(slot));
        QCOMPARE(
            shown.join(u'|'),
            u"The program is running now!!|System Information Error!!|File Not Found!|"
            u"No any schedule!|Can't save!|No any schedule file in advance schedule! Can't Save!|"
            u"Too many schedules!!|File Already Existed, Overwrite?|Too many basic schedules!!|"
            u"Date Setup Error!|Time Setup Error!|Link error|File Name Error!|File Copied|"
            u"File Copy Error!|The schedule file %1 cannot be read: %2|"
            u"The schedule file %1 could not be saved: %2\nThe file on disk was not changed.|"
            u"The schedule %1 has been changed.\nDo you want to save it?"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextTables)
#include "tst_texttables.moc"

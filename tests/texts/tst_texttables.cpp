#include "texts/TextTable.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextTables final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everySlotHasAnEnglishText()
    {
        for (int slot = 0; slot < TextSlotCount; ++slot)
            QVERIFY2(!EnglishTexts().text(TextSlot(slot)).isEmpty(), qPrintable(QString::number(slot)));
    }

    void englishTextsAreExact_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        // Spot checks along the whole table catch a shifted or missing entry.
        QTest::newRow("0") << 0 << u"&File"_s;
        QTest::newRow("23") << 23 << u"Morva Schedule Generator"_s;
        QTest::newRow("42") << 42 << u"All Day"_s;
        QTest::newRow("49 misspelt") << 49 << u"Advance Schecule Editor"_s;
        QTest::newRow("52") << 52 << u"The program is running now!!"_s;
        QTest::newRow("57") << 57 << u"No any schedule file in advance schedule! Can't Save!"_s;
        QTest::newRow("59") << 59 << u"File Already Existed, Overwrite?"_s;
        QTest::newRow("60") << 60 << u"Too many basic schedules!!"_s;
        QTest::newRow("64") << 64 << u"File Name Error!"_s;
        QTest::newRow("66") << 66 << u"File Copy Error!"_s;
    }

    void englishTextsAreExact()
    {
        QFETCH(int, slot);
        QFETCH(QString, text);
        QCOMPARE(EnglishTexts().text(TextSlot(slot)), text);
    }
};

QTEST_GUILESS_MAIN(TestTextTables)
#include "tst_texttables.moc"

#include "TextTable.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextTables final : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        // The message box texts, slots 52 to 69, as users and their manuals know them.
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

#include "DateRules.h"
#include "MediaNameRules.h"
#include "PathHelpers.h"
#include "RowFormat.h"
#include "SaveCheckMessage.h"
#include "TestEntries.h"
#include "TextTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRules final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && QDir(m_dir.path()).mkpath(u"d.mvs"_s));
        for (const QString& name : {u"a.mvs"_s, u"x*y.mvs"_s, u"d.mvs/in.mvs"_s})
            QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(m_dir.path())); // an empty folder must not mean this one
    }

    // What the commands do is checked through the main window; here, what the
    // document refuses: rows it does not hold, rows that are no neighbours,
    // media entries for the advance list.
    void documentRefusesRowsItDoesNotHold() {
        const ListAddress basic = ListAddress::basic(), advance = ListAddress::advance();
        ScheduleDocument document = documentWith(3, {2, 0});
        const ScheduleDocument kept = document;
        QVERIFY(!document.replace(basic, 3, {}) && !document.replace(advance, 0, {}));
        QVERIFY(!document.swap(basic, 2, 3) && !document.swap(basic, 0, 2) &&
                !document.swap(advance, 1, 1) && !document.swap(ListAddress::details(0), 1, 2));
        QVERIFY(!document.append(ListAddress::details(2), {}) && !document.append(advance, {}));
        QVERIFY(!document.remove(ListAddress::details(1), 0) && !document.remove(advance, -1));
        QVERIFY(!document.setAdvancePeriod(2, {}));
        QCOMPARE(document, kept);
        QCOMPARE(document.rowCount(ListAddress::details(-1)), 0);
    }

    // The common rows are checked in mvstool's rows; here the edges.
    void mediaRowText_data() {
        QTest::addColumn<MediaEntry>("entry");
        QTest::addColumn<QString>("row");
        QTest::newRow("widest") << media("ABCDEFGHIJKLMNOP", "JPEG", 100, 200)
                                << u"ABCDEFGHIJKLMNOP.JPEG     100        200"_s;
        QTest::newRow("code page")
            << media(QByteArrayView("\x80\x93\0\x9F\xE9", 5), "\x81\x8D\n")
            << u"\u20AC\u201C\u0178\u00E9.\uFFFD\uFFFD\uFFFD                  1       Default"_s;
    }

    void mediaRowText() {
        QFETCH(MediaEntry, entry);
        QTEST(MediaRowText(entry), "row");
    }

    // Start y m d h m s, stop y m d h m s, week day; the times are not shown.
    void advanceRowText_data() {
        QTest::addColumn<AdvancePeriod>("period");
        QTest::addColumn<QString>("row");
        QTest::newRow("sunday") << AdvancePeriod{0, 12, 5, 8, 1, 2, 99, 1, 31, 6, 3, 4, 0}
                                << u"2000/12/05   2099/01/31   Sunday"_s;
        QTest::newRow("saturday") << AdvancePeriod{6, 5, 1, 0, 0, 0, 6, 5, 1, 0, 0, 0, 6}
                                  << u"2006/05/01   2006/05/01   Saturday"_s;
        QTest::newRow("day 9") << AdvancePeriod{6, 5, 1, 0, 0, 0, 6, 5, 1, 0, 0, 0, 9}
                               << u"2006/05/01   2006/05/01   All Day"_s;
    }

    void advanceRowText() {
        QFETCH(AdvancePeriod, period);
        QTEST(AdvanceRowText(period), "row");
    }

    // A typed name, and what the media entry editor then shows again; empty
    // where the name is refused.
    void typedMediaName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("16 + 4, spaces")
            << u" abcdefghijklmnop.jpeg  "_s << u"ABCDEFGHIJKLMNOP.JPEG"_s;
        QTest::newRow("16, no dot") << u"ABCDEFGHIJKLMNOP"_s << u"ABCDEFGHIJKLMNOP."_s;
        QTest::newRow("dots in the base") << u"x.y.mp3"_s << u"X.Y.MP3"_s;
        QTest::newRow("only an extension") << u".mp3"_s << u".MP3"_s;
        QTest::newRow("digits and signs") << u"a_1-b.mpeg"_s << u"A_1-B.MPEG"_s;
        QTest::newRow("17-character base") << u"abcdefghijklmnopq.jpg"_s << QString();
        QTest::newRow("extension of 5") << u"clip.mpeg4"_s << QString();
        QTest::newRow("inner space") << u"my clip.avi"_s << QString();
        QTest::newRow("tab") << u"\ta.mp3"_s << QString();
        QTest::newRow("only spaces") << u"   "_s << QString();
        QTest::newRow("accented letter") << u"caf\u00E9.mp3"_s << QString();
    }

    void typedMediaName() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(IsAcceptedMediaFileName(typed), !shown.isEmpty());
        if (shown.isEmpty())
            return;
        MediaEntry entry = media("PREVIOUSLONGNAME", "JPEG"); // every byte is replaced
        StoreMediaName(typed, entry);
        QCOMPARE(EditorFileNameText(entry), shown);
    }

    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("drive path")
            << u"C:\\DIR\\FILE.MVS"_s << QChar(u'\\') << u"C:\\DIR\\"_s << u"FILE.MVS"_s;
        QTest::newRow("unix path") << u"/home/a.mvs"_s << QChar(u'/') << u"/home/"_s << u"a.mvs"_s;
        QTest::newRow("slash is no backslash")
            << u"C:/F.MVS"_s << QChar(u'\\') << QString() << u"C:/F.MVS"_s;
    }

    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        QCOMPARE(FolderOfPath(path, separator), folder);
        QCOMPARE(FileNameOfPath(path, separator), fileName);
        // A folder ends in exactly one separator; an empty one stays empty.
        QCOMPARE(WithTrailingSeparator(folder.chopped(qMin(folder.size(), 1)), separator), folder);
        QCOMPARE(WithTrailingSeparator(folder, separator), folder);
    }

    void scheduleExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("other extension") << u"SPRING.TXT"_s << u"SPRING.TXT"_s;
        QTest::newRow("none") << u"SPRING"_s << u"SPRING.mvs"_s;
        QTest::newRow("two letters") << u"SPRING.MV"_s << u"SPRING.MV.mvs"_s;
        QTest::newRow("only the extension") << u".mvs"_s << u".mvs.mvs"_s;
        QTest::newRow("kept") << u"a.mvs"_s << u"a.mvs"_s;
    }

    void scheduleExtension() {
        QFETCH(QString, typed);
        QTEST(ApplyScheduleExtension(typed), "saved");
    }

    void fileExists_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("exists");
        QTest::newRow("file") << u"a.mvs"_s << true;
        QTest::newRow("star taken literally") << u"x*y.mvs"_s << true;
        QTest::newRow("star is no wildcard") << u"*.mvs"_s << false;
        QTest::newRow("semicolon is no list") << u"c.mvs;a.mvs"_s << false;
        QTest::newRow("a folder is no file") << u"d.mvs"_s << false;
        QTest::newRow("name with a separator") << u"d.mvs/in.mvs"_s << false;
    }

    void fileExists() {
        QFETCH(QString, fileName);
        QTEST(FileExists(m_dir.path(), fileName), "exists");
        QVERIFY(!FileExists(QString(), fileName)); // an empty folder holds nothing
    }

    void daysOfMonth_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("2000 is a leap year") << 2000 << 2 << 29;
        QTest::newRow("2100 is none") << 2100 << 2 << 28;
        QTest::newRow("april") << 2006 << 4 << 30;
        QTest::newRow("no month 13") << 2006 << 13 << 0;
    }

    void daysOfMonth() {
        QFETCH(int, year);
        QFETCH(int, month);
        QTEST(DaysOfMonth(year, month), "days");
    }

    // The advance entry editor's checks on OK: dates, then times of day.
    void periodChecks_data() {
        QTest::addColumn<AdvancePeriod>("period");
        QTest::addColumn<bool>("dates");
        QTest::addColumn<bool>("times");
        QTest::newRow("next year, earlier month; over midnight")
            << AdvancePeriod{6, 12, 28, 22, 0, 0, 7, 1, 5, 6, 0, 0} << true << false;
        QTest::newRow("one day, one second")
            << AdvancePeriod{6, 3, 31, 8, 30, 0, 6, 3, 31, 8, 30, 1} << true << true;
        QTest::newRow("a day earlier; equal times")
            << AdvancePeriod{6, 3, 31, 8, 30, 0, 6, 3, 30, 8, 30, 0} << false << false;
        QTest::newRow("earlier month, later day; earlier hour, later minute")
            << AdvancePeriod{6, 6, 1, 11, 0, 0, 6, 5, 31, 10, 59, 59} << false << false;
    }

    void periodChecks() {
        QFETCH(AdvancePeriod, period);
        QTEST(DateSetupCheck(StartDateOf(period), StopDateOf(period)), "dates");
        QTEST(TimeSetupCheck(StartTimeOf(period), StopTimeOf(period)), "times");
    }

    void checkBeforeSave_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QString>("message"); // empty: the save goes ahead
        QTest::addColumn<qint64>("estimate");
        const QString noDetails = u"No any schedule file in advance schedule! Can't Save!"_s;
        const QString cantSave = u" !\r\n"_s + QString(25, u' ') + u"Can't save!"_s;
        const QString tooLarge = u"Too many schedules!!"_s;
        QTest::newRow("empty document")
            << ScheduleDocument() << u"No any schedule!\r\nCan't save!"_s << qint64(50);
        QTest::newRow("third and fifth empty, third reported")
            << documentWith(0, {1, 1, 0, 1, 0}) << noDetails + u"3"_s + cantSave << qint64(215);
        QTest::newRow("empty entry reported before the size")
            << documentWith(0, QList<int>(10, 100) << 0) << noDetails + u"11"_s + cantSave
            << qint64(30215);
        QTest::newRow("29990 passes") << documentWith(995, {1, 1}) << QString() << qint64(29990);
        QTest::newRow("30005 is too large")
            << documentWith(994, {1, 1, 1}) << tooLarge << qint64(30005);
        QTest::newRow("editing limits")
            << documentWith(250, QList<int>(250, 100)) << tooLarge << qint64(761300);
    }

    void checkBeforeSave() {
        QFETCH(ScheduleDocument, document);
        QFETCH(QString, message);
        QFETCH(qint64, estimate); // also decides the size check
        const SaveCheckFinding finding = CheckBeforeSave(document);
        QCOMPARE(SaveCheckMessage(finding, EnglishTexts()), message);
        QCOMPARE(SaveCheckPlainMessage(finding, EnglishTexts()),
                 QString(message).replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(finding.passed(), message.isEmpty());
        QCOMPARE(ScheduleSizeEstimate(document), estimate);
        QCOMPARE(CheckScheduleSize(document), estimate < 30000);
    }

    // The number of the entry without details is appended to the English
    // sentence, as it always was, and stands inside the Japanese one, which
    // leaves "cannot be saved" to the second line.
    void advanceWithoutDetailsMessage_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("secondLine");
        QTest::newRow("English") << true
                                 << u"No any schedule file in advance schedule! Can't Save!12 !"_s
                                 << u"Can't save!"_s;
        QTest::newRow("Japanese") << false << u"12番目の期間スケジュールの再生リストが空です。"_s
                                  << u"保存できません。"_s;
    }

    void advanceWithoutDetailsMessage() {
        QFETCH(bool, english);
        QFETCH(QString, firstLine);
        QFETCH(QString, secondLine);
        const TextTable& texts = english ? EnglishTexts() : SecondTexts();
        const SaveCheckFinding finding{SaveCheck::AdvanceWithoutDetails, 12};
        const QString indent(25, u' ');
        QCOMPARE(SaveCheckMessage(finding, texts), firstLine + u"\r\n"_s + indent + secondLine);
        QCOMPARE(SaveCheckPlainMessage(finding, texts), firstLine + u'\n' + indent + secondLine);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"

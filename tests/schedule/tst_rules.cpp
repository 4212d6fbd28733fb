#include "TestSupport.h"
#include "schedule/DateRules.h"
#include "schedule/MediaNameRules.h"
#include "schedule/RowFormat.h"
#include "schedule/SaveChecks.h"
#include "texts/TextTable.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString spaces(int count) {
    return QString(count, u' ');
}

ScheduleDocument advanceDocument(QList<int> detailCounts, int basicCount = 0) {
    ScheduleDocument document;
    for (int j = 0; j < basicCount; ++j)
        document.appendBasic(MakeMediaEntry("B", "MP3"));
    for (int details : detailCounts) {
        AdvanceEntry entry = MakeAdvanceEntry(MakePeriod(2006, 1, 1, 2006, 12, 31));
        entry.details.fill(MakeMediaEntry("D", "AVI"), details);
        document.appendAdvance(entry);
    }
    return document;
}

} // namespace

class TestRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mediaRowText_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<int>("playTimes");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("row");

        const QString song = u"SONG.MP3"_s + spaces(13) + spaces(5);
        QTest::newRow("volume 10, 39 characters")
            << QByteArray("SONG") << QByteArray("MP3") << 5 << 10
            << song + u"5"_s + spaces(2) + spaces(8) + u"10"_s;
        QTest::newRow("default volume") << QByteArray("SONG") << QByteArray("MP3") << 5 << 17
                                        << song + u"5  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("volume 0") << QByteArray("SONG") << QByteArray("MP3") << 5 << 0
                                  << song + u"5  "_s + spaces(8) + u"0"_s;
        QTest::newRow("volume 16") << QByteArray("SONG") << QByteArray("MP3") << 5 << 16
                                   << song + u"5  "_s + spaces(8) + u"16"_s;
        QTest::newRow("volume 200 from a file") << QByteArray("SONG") << QByteArray("MP3") << 5
                                                << 200 << song + u"5  "_s + spaces(8) + u"200"_s;
        QTest::newRow("play times 0") << QByteArray("SONG") << QByteArray("MP3") << 0 << 17
                                      << song + u"0  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("play times 100") << QByteArray("SONG") << QByteArray("MP3") << 100 << 17
                                        << song + u"100"_s + spaces(5) + u"Default"_s;
        QTest::newRow("play times 255 from a file")
            << QByteArray("SONG") << QByteArray("MP3") << 255 << 17
            << song + u"255"_s + spaces(5) + u"Default"_s;
        QTest::newRow("16 + 4 characters, no padding")
            << QByteArray("ABCDEFGHIJKLMNOP") << QByteArray("JPEG") << 1 << 17
            << u"ABCDEFGHIJKLMNOP.JPEG"_s + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("no extension keeps the dot")
            << QByteArray("CLIP") << QByteArray() << 1 << 17
            << u"CLIP."_s + spaces(16) + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("no name") << QByteArray() << QByteArray("MP3") << 1 << 3
                                 << u".MP3"_s + spaces(17) + spaces(5) + u"1  "_s + spaces(8) +
                                        u"3"_s;
        QTest::newRow("e acute") << QByteArray("CAF\xE9") << QByteArray("MP3") << 1 << 17
                                 << u"CAF\u00E9.MP3"_s + spaces(13) + spaces(5) + u"1  "_s +
                                        spaces(5) + u"Default"_s;
        QTest::newRow("euro sign")
            << QByteArray("\x80") << QByteArray("MP3") << 1 << 17
            << u"\u20AC.MP3"_s + spaces(16) + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("byte without a character")
            << QByteArray("A\x81") << QByteArray("\x81") << 1 << 17
            << u"A\uFFFD.\uFFFD"_s + spaces(17) + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("line break byte stays on one line")
            << QByteArray("A\nB") << QByteArray("MP3") << 1 << 17
            << u"A\uFFFDB.MP3"_s + spaces(14) + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
        QTest::newRow("inner 0 byte")
            << QByteArray("AB\0CD", 5) << QByteArray("MP3") << 1 << 17
            << u"ABCD.MP3"_s + spaces(13) + spaces(5) + u"1  "_s + spaces(5) + u"Default"_s;
    }

    void mediaRowText() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, extension);
        QFETCH(int, playTimes);
        QFETCH(int, volume);
        QFETCH(QString, row);
        const MediaEntry entry = MakeMediaEntry(name, extension, quint8(playTimes), quint8(volume));
        QCOMPARE(MediaRowText(entry), row);
    }

    void mediaRowOfSongIs39Characters() {
        QCOMPARE(MediaRowText(MakeMediaEntry("SONG", "MP3", 5, 10)).size(), 39);
    }

    void ansiText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("A.Z_0-9") << u"A.Z_0-9"_s;
        QTest::newRow("euro, quotes, dash")
            << QByteArray("\x80\x93\x94\x96") << u"\u20AC\u201C\u201D\u2013"_s;
        QTest::newRow("undefined 81 8D 8F 90 9D")
            << QByteArray("\x81\x8D\x8F\x90\x9D") << u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"_s;
        QTest::newRow("9F and FF") << QByteArray("\x9F\xFF") << u"\u0178\u00FF"_s;
        QTest::newRow("A0 and E9") << QByteArray("\xA0\xE9") << u"\u00A0\u00E9"_s;
        QTest::newRow("controls and DEL")
            << QByteArray("\x01\x1F\x7F", 3) << u"\uFFFD\uFFFD\uFFFD"_s;
        QTest::newRow("0 byte") << QByteArray("\0", 1) << u"\uFFFD"_s;
    }

    void ansiText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(AnsiText(bytes), text);
    }

    void advanceRowText_data() {
        QTest::addColumn<AdvancePeriod>("period");
        QTest::addColumn<QString>("row");
        QTest::newRow("example") << MakePeriod(2006, 12, 28, 2007, 1, 5, 3)
                                 << u"2006/12/28   2007/01/05   Wednesday"_s;
        QTest::newRow("sunday") << MakePeriod(2006, 5, 1, 2006, 12, 31, 0)
                                << u"2006/05/01   2006/12/31   Sunday"_s;
        QTest::newRow("saturday") << MakePeriod(2006, 5, 1, 2006, 12, 31, 6)
                                  << u"2006/05/01   2006/12/31   Saturday"_s;
        QTest::newRow("7 is every day")
            << MakePeriod(2006, 5, 1, 2006, 12, 31, 7) << u"2006/05/01   2006/12/31   All Day"_s;
        QTest::newRow("9 from a file")
            << MakePeriod(2006, 5, 1, 2006, 12, 31, 9) << u"2006/05/01   2006/12/31   All Day"_s;
        QTest::newRow("255 from a file")
            << MakePeriod(2006, 5, 1, 2006, 12, 31, 255) << u"2006/05/01   2006/12/31   All Day"_s;
        QTest::newRow("year byte 0, month 1, day 5")
            << MakePeriod(2000, 1, 5, 2099, 12, 31, 1) << u"2000/01/05   2099/12/31   Monday"_s;
        AdvancePeriod withTimes = MakePeriod(2006, 5, 1, 2006, 12, 31, 2);
        withTimes.startHour = 22;
        withTimes.stopSecond = 7;
        QTest::newRow("times are not shown") << withTimes << u"2006/05/01   2006/12/31   Tuesday"_s;
    }

    void advanceRowText() {
        QFETCH(AdvancePeriod, period);
        QFETCH(QString, row);
        QCOMPARE(AdvanceRowText(period), row);
    }

    void fileNameCheck_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a.mp3") << u"a.mp3"_s << true;
        QTest::newRow("extension of 4") << u"A_1-b.MPEG"_s << true;
        QTest::newRow("16-character base") << u"abcdefghijklmnop.jpg"_s << true;
        QTest::newRow("16 + 4") << u"ABCDEFGHIJKLMNOP.JPEG"_s << true;
        QTest::newRow("16 without a dot") << u"ABCDEFGHIJKLMNOP"_s << true;
        QTest::newRow("no dot") << u"CLIP"_s << true;
        QTest::newRow("dot in the base") << u"x.y.mp3"_s << true;
        QTest::newRow("only an extension") << u".mp3"_s << true;
        QTest::newRow("dot at the end") << u"CLIP."_s << true;
        QTest::newRow("spaces around") << u"  a.mp3  "_s << true;
        QTest::newRow("base of 16 with dots") << u"a.b.c.d.e.f.g.hi.j"_s << true;

        QTest::newRow("17-character base") << u"abcdefghijklmnopq.jpg"_s << false;
        QTest::newRow("17 without a dot") << u"abcdefghijklmnopq"_s << false;
        QTest::newRow("17 with a dot inside") << u"abcdefghijklmno.p.jpg"_s << false;
        QTest::newRow("extension of 5") << u"clip.mpeg4"_s << false;
        QTest::newRow("inner space") << u"my clip.avi"_s << false;
        QTest::newRow("exclamation mark") << u"a!.mp3"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("only spaces") << u"   "_s << false;
        QTest::newRow("tab") << u"\ta.mp3"_s << false;
        QTest::newRow("accented letter") << u"caf\u00E9.mp3"_s << false;
        QTest::newRow("full-width letter") << u"\uFF41.mp3"_s << false;
        QTest::newRow("slash") << u"dir/a.mp3"_s << false;
        QTest::newRow("backslash") << u"dir\\a.mp3"_s << false;
        QTest::newRow("star") << u"*.mp3"_s << false;
    }

    void fileNameCheck() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(FileNameCheck(name), accepted);
    }

    void splitMediaName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lastDot");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << u"song.mp3"_s << 5 << u"song"_s << u"mp3"_s;
        QTest::newRow("two dots") << u"x.y.mp3"_s << 4 << u"x.y"_s << u"mp3"_s;
        QTest::newRow("no dot") << u"CLIP"_s << 0 << u"CLIP"_s << QString();
        QTest::newRow("leading dot") << u".mp3"_s << 1 << QString() << u"mp3"_s;
        QTest::newRow("trailing dot") << u"CLIP."_s << 5 << u"CLIP"_s << QString();
        QTest::newRow("empty") << QString() << 0 << QString() << QString();
    }

    void splitMediaName() {
        QFETCH(QString, name);
        QFETCH(int, lastDot);
        QFETCH(QString, base);
        QFETCH(QString, extension);
        QCOMPARE(LastDotPosition(name), lastDot);
        const MediaName parts = SplitMediaName(name);
        QCOMPARE(parts.base, base);
        QCOMPARE(parts.extension, extension);
    }

    void storeMediaName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<QString>("shown"); // in the editor when modified later
        QTest::newRow("lower case")
            << u"song.mp3"_s << QByteArray("SONG") << QByteArray("MP3") << u"SONG.MP3"_s;
        QTest::newRow("trimmed") << u"  x.y.mp3 "_s << QByteArray("X.Y") << QByteArray("MP3")
                                 << u"X.Y.MP3"_s;
        QTest::newRow("no extension")
            << u"clip"_s << QByteArray("CLIP") << QByteArray() << u"CLIP."_s;
        QTest::newRow("dot at the end")
            << u"CLIP."_s << QByteArray("CLIP") << QByteArray() << u"CLIP."_s;
        QTest::newRow("only an extension")
            << u".mp3"_s << QByteArray() << QByteArray("MP3") << u".MP3"_s;
        QTest::newRow("full widths") << u"abcdefghijklmnop.jpeg"_s << QByteArray("ABCDEFGHIJKLMNOP")
                                     << QByteArray("JPEG") << u"ABCDEFGHIJKLMNOP.JPEG"_s;
        QTest::newRow("digits and signs")
            << u"a_1-b.mpeg"_s << QByteArray("A_1-B") << QByteArray("MPEG") << u"A_1-B.MPEG"_s;
    }

    void storeMediaName() {
        QFETCH(QString, text);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, extension);
        QFETCH(QString, shown);
        QVERIFY(FileNameCheck(text));
        // Stored over a longer name: nothing of the old one may remain.
        MediaEntry entry = MakeMediaEntry("PREVIOUSLONGNAME", "JPEG", 42, 3);
        StoreMediaName(text, entry);
        QCOMPARE(entry, MakeMediaEntry(name, extension, 42, 3));
        QCOMPARE(EditorFileNameText(entry), shown);

        // What the editor shows passes its check again and stores the same.
        QVERIFY(FileNameCheck(shown));
        MediaEntry again;
        StoreMediaName(shown, again);
        QCOMPARE(again.name, entry.name);
        QCOMPARE(again.extension, entry.extension);
    }

    void editorFileNameTextStopsAtFirstZero() {
        const MediaEntry entry = MakeMediaEntry(QByteArray("AB\0CD", 5), QByteArray("M\0P", 3));
        QCOMPARE(EditorFileNameText(entry), u"AB.M"_s);
    }

    void leapYears_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("leap");
        QTest::newRow("2000") << 2000 << true;
        QTest::newRow("2004") << 2004 << true;
        QTest::newRow("2096") << 2096 << true;
        QTest::newRow("2099") << 2099 << false;
        QTest::newRow("2100") << 2100 << false;
        QTest::newRow("2006") << 2006 << false;
        QTest::newRow("2400") << 2400 << true;
    }

    void leapYears() {
        QFETCH(int, year);
        QFETCH(bool, leap);
        QCOMPARE(IsLeapYear(year), leap);
        QCOMPARE(DaysOfMonth(year, 2), leap ? 29 : 28);
    }

    void daysOfMonth_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        const int expected[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};
        for (int month = 0; month <= 13; ++month)
            QTest::addRow("month %d", month) << month << expected[month];
        QTest::newRow("month -1") << -1 << 0;
    }

    void daysOfMonth() {
        QFETCH(int, month);
        QFETCH(int, days);
        QCOMPARE(DaysOfMonth(2006, month), days);
    }

    void dateSetupCheck_data() {
        QTest::addColumn<CalendarDate>("start");
        QTest::addColumn<CalendarDate>("stop");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same day") << CalendarDate{2006, 3, 31} << CalendarDate{2006, 3, 31} << true;
        QTest::newRow("one day earlier")
            << CalendarDate{2006, 3, 31} << CalendarDate{2006, 3, 30} << false;
        QTest::newRow("one day later")
            << CalendarDate{2006, 3, 31} << CalendarDate{2006, 4, 1} << true;
        QTest::newRow("later year, earlier month and day")
            << CalendarDate{2006, 12, 28} << CalendarDate{2007, 1, 5} << true;
        QTest::newRow("earlier year, later month and day")
            << CalendarDate{2007, 1, 5} << CalendarDate{2006, 12, 28} << false;
        QTest::newRow("same year, later month, earlier day")
            << CalendarDate{2006, 5, 31} << CalendarDate{2006, 6, 1} << true;
        QTest::newRow("same year, earlier month, later day")
            << CalendarDate{2006, 6, 1} << CalendarDate{2006, 5, 31} << false;
        QTest::newRow("whole range")
            << CalendarDate{2000, 1, 1} << CalendarDate{2099, 12, 31} << true;
    }

    void dateSetupCheck() {
        QFETCH(CalendarDate, start);
        QFETCH(CalendarDate, stop);
        QFETCH(bool, accepted);
        QCOMPARE(DateSetupCheck(start, stop), accepted);
    }

    void timeSetupCheck_data() {
        QTest::addColumn<TimeOfDay>("start");
        QTest::addColumn<TimeOfDay>("stop");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("equal") << TimeOfDay{8, 30, 0} << TimeOfDay{8, 30, 0} << false;
        QTest::newRow("one second later") << TimeOfDay{8, 30, 0} << TimeOfDay{8, 30, 1} << true;
        QTest::newRow("one second earlier") << TimeOfDay{8, 30, 1} << TimeOfDay{8, 30, 0} << false;
        QTest::newRow("over midnight") << TimeOfDay{22, 0, 0} << TimeOfDay{6, 0, 0} << false;
        QTest::newRow("whole day") << TimeOfDay{0, 0, 0} << TimeOfDay{23, 59, 59} << true;
        QTest::newRow("later hour, earlier minute and second")
            << TimeOfDay{10, 59, 59} << TimeOfDay{11, 0, 0} << true;
        QTest::newRow("later minute, earlier second")
            << TimeOfDay{10, 10, 59} << TimeOfDay{10, 11, 0} << true;
        QTest::newRow("earlier hour, later minute")
            << TimeOfDay{11, 0, 0} << TimeOfDay{10, 59, 59} << false;
    }

    void timeSetupCheck() {
        QFETCH(TimeOfDay, start);
        QFETCH(TimeOfDay, stop);
        QFETCH(bool, accepted);
        QCOMPARE(TimeSetupCheck(start, stop), accepted);
    }

    void periodDatesAndTimes() {
        AdvancePeriod period = MakePeriod(2006, 12, 28, 2007, 1, 5);
        period.startHour = 22;
        period.startMinute = 1;
        period.startSecond = 2;
        period.stopHour = 6;
        period.stopMinute = 3;
        period.stopSecond = 4;
        QCOMPARE(StartDateOf(period), (CalendarDate{2006, 12, 28}));
        QCOMPARE(StopDateOf(period), (CalendarDate{2007, 1, 5}));
        QCOMPARE(StartTimeOf(period), (TimeOfDay{22, 1, 2}));
        QCOMPARE(StopTimeOf(period), (TimeOfDay{6, 3, 4}));
        // The dates pass; the times are compared on their own and fail.
        QVERIFY(DateSetupCheck(StartDateOf(period), StopDateOf(period)));
        QVERIFY(!TimeSetupCheck(StartTimeOf(period), StopTimeOf(period)));
    }

    void checkBeforeSave_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<int>("failed"); // SaveCheck
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("message");

        const QString withoutDetails = u"No any schedule file in advance schedule! Can't Save!"_s;
        const QString cantSave = u"\r\n"_s + spaces(25) + u"Can't save!"_s;
        const int passed = int(SaveCheck::Passed);
        const int noSchedule = int(SaveCheck::NoSchedule);
        const int empty = int(SaveCheck::AdvanceWithoutDetails);
        const int tooLarge = int(SaveCheck::TooLarge);

        QTest::newRow("empty document")
            << ScheduleDocument() << noSchedule << 0 << u"No any schedule!\r\nCan't save!"_s;
        QTest::newRow("basic only") << advanceDocument({}, 3) << passed << 0 << QString();
        QTest::newRow("advance only, each with details")
            << advanceDocument({1, 2}) << passed << 0 << QString();
        QTest::newRow("first advance entry empty")
            << advanceDocument({0, 1}, 1) << empty << 1 << withoutDetails + u"1 !"_s + cantSave;
        QTest::newRow("third and fifth empty, third reported")
            << advanceDocument({1, 1, 0, 1, 0}) << empty << 3
            << withoutDetails + u"3 !"_s + cantSave;
        QTest::newRow("twelfth empty") << advanceDocument({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0})
                                       << empty << 12 << withoutDetails + u"12 !"_s + cantSave;
        QTest::newRow("ten x 99 details, 29900")
            << advanceDocument(QList<int>(10, 99)) << passed << 0 << QString();
        QTest::newRow("ten x 100 details, 30200")
            << advanceDocument(QList<int>(10, 100)) << tooLarge << 0 << u"Too many schedules!!"_s;
        QTest::newRow("29990") << advanceDocument({1, 1}, 995) << passed << 0 << QString();
        QTest::newRow("30005") << advanceDocument({1, 1, 1}, 994) << tooLarge << 0
                               << u"Too many schedules!!"_s;
        QTest::newRow("editing limits, 761300") << advanceDocument(QList<int>(250, 100), 250)
                                                << tooLarge << 0 << u"Too many schedules!!"_s;
        QList<int> largeWithEmptyLast(10, 100);
        largeWithEmptyLast.append(0);
        QTest::newRow("empty entry reported before the size")
            << advanceDocument(largeWithEmptyLast) << empty << 11
            << withoutDetails + u"11 !"_s + cantSave;
    }

    void checkBeforeSave() {
        QFETCH(ScheduleDocument, document);
        QFETCH(int, failed);
        QFETCH(int, position);
        QFETCH(QString, message);
        const SaveCheckResult result = CheckBeforeSave(document, EnglishTexts());
        QCOMPARE(int(result.failed), failed);
        QCOMPARE(result.passed(), failed == int(SaveCheck::Passed));
        QCOMPARE(result.advancePosition, position);
        QCOMPARE(result.message, message);
        QCOMPARE(CheckScheduleSize(document), ScheduleSizeEstimate(document) < 30000);
    }

    void applyScheduleExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("result");
        QTest::newRow("SPRING.MVS") << u"SPRING.MVS"_s << u"SPRING.MVS"_s;
        QTest::newRow("SPRING.TXT") << u"SPRING.TXT"_s << u"SPRING.TXT"_s;
        QTest::newRow("SPRING") << u"SPRING"_s << u"SPRING.mvs"_s;
        QTest::newRow("SPRING.MV") << u"SPRING.MV"_s << u"SPRING.MV.mvs"_s;
        QTest::newRow("SPRING.MVSX") << u"SPRING.MVSX"_s << u"SPRING.MVSX.mvs"_s;
        QTest::newRow("A.B") << u"A.B"_s << u"A.B.mvs"_s;
        QTest::newRow(".mvs, 4 characters") << u".mvs"_s << u".mvs.mvs"_s;
        QTest::newRow("a.mvs, 5 characters") << u"a.mvs"_s << u"a.mvs"_s;
        QTest::newRow("empty") << QString() << u".mvs"_s;
        QTest::newRow("morva.mvs") << u"morva.mvs"_s << u"morva.mvs"_s;
    }

    void applyScheduleExtension() {
        QFETCH(QString, name);
        QFETCH(QString, result);
        QCOMPARE(ApplyScheduleExtension(name), result);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"

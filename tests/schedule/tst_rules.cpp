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

namespace {

// Basic entries A, B, C; advance entries with two, no and one detail.
ScheduleDocument sampleDocument() {
    return ScheduleDocument({media("A"), media("B"), media("C")},
                            {{{}, {media("N1"), media("N2")}},
                             {},
                             {{8, 3, 1, 0, 0, 0, 8, 3, 31, 23, 59, 59, 2}, {media("N3")}}});
}

ScheduleDocument withDetails(QList<int> detailCounts, int basicCount = 0) {
    ScheduleDocument document(QList<MediaEntry>(basicCount, media("B")), {});
    for (int details : detailCounts)
        document.appendAdvance({{}, QList<MediaEntry>(details, media("D", "AVI"))});
    return document;
}

QString row(QByteArrayView name, QByteArrayView extension, int playTimes, int volume) {
    return MediaRowText(media(name, extension, quint8(playTimes), quint8(volume)));
}

// What the media entry editor keeps of a typed name, as it shows it again.
QString stored(const QString& text) {
    MediaEntry entry = media("PREVIOUSLONGNAME", "JPEG");
    if (!FileNameCheck(text))
        return {};
    StoreMediaName(text, entry);
    return EditorFileNameText(entry);
}

QString split(const QString& path, QChar separator) {
    return FolderOfPath(path, separator) + u'|' + FileNameOfPath(path, separator);
}

} // namespace

class TestRules final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid() && QDir(m_dir.path()).mkpath(u"d.mvs"_s));
        for (const QString& name : {u"a.mvs"_s, u"x*y.mvs"_s, u"d.mvs/in.mvs"_s})
            QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
        QVERIFY(QDir::setCurrent(m_dir.path())); // an empty folder must not mean this one
    }

    void documentOperations() {
        // The basic list and the detail list of advance entry 1 get the same edits.
        ScheduleDocument document = sampleDocument();
        const ListAddress basic = ListAddress::basic(), details = ListAddress::details(1);
        for (const char* name : {"A", "B", "C"})
            QVERIFY(document.append(details, media(name)));
        QVERIFY(document.replace(basic, 1, media("X")) && document.replace(details, 1, media("X")));
        QVERIFY(document.swap(basic, 1, 2) && document.swap(details, 1, 2)); // A C X
        QVERIFY(document.swap(basic, 1, 0) && document.swap(details, 1, 0)); // C A X
        QVERIFY(document.remove(basic, 1) && document.remove(details, 1));   // the gap closes
        const QList<MediaEntry> edited{media("C"), media("X")};
        const QList<AdvanceEntry> before = sampleDocument().advanceEntries();
        QCOMPARE(document, ScheduleDocument(edited, {before[0], {{}, edited}, before[2]}));

        // An advance entry moves with its details; a new period keeps them.
        document = sampleDocument();
        QVERIFY(document.swap(ListAddress::advance(), 0, 1));
        QVERIFY(document.setAdvancePeriod(1, before[2].period()));
        QVERIFY(document.remove(ListAddress::advance(), 0));
        QCOMPARE(document.advanceEntries(),
                 (QList<AdvanceEntry>{{before[2].period(), before[0].details}, before[2]}));

        // Rows out of range are refused and change nothing.
        const ScheduleDocument kept = document;
        QVERIFY(!document.replace(ListAddress::basic(), 3, {}) &&
                !document.swap(ListAddress::basic(), 2, 3) &&
                !document.swap(ListAddress::basic(), 0, 2) &&
                !document.swap(ListAddress::advance(), 1, 1) &&
                !document.append(ListAddress::details(-1), {}) &&
                !document.append(ListAddress::advance(), {}) &&
                !document.remove(ListAddress::details(0), 2));
        QCOMPARE(document, kept);
    }

    // Everything these rules put in front of the user, exactly; empty where a
    // typed media name is refused.
    void shownText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("row") << row("SONG", "MP3", 5, 10)
                             << u"SONG.MP3                  5          10"_s;
        QTest::newRow("row, default")
            << row("SONG", "", 0, 17) << u"SONG.                     0       Default"_s;
        QTest::newRow("row, widest") << row("ABCDEFGHIJKLMNOP", "JPEG", 100, 200)
                                     << u"ABCDEFGHIJKLMNOP.JPEG     100        200"_s;
        QTest::newRow("row, code page")
            << row(QByteArrayView("\x80\x93\0\x9F\xE9", 5), "\x81\x8D\n", 1, 17)
            << u"\u20AC\u201C\u0178\u00E9.\uFFFD\uFFFD\uFFFD                  1       Default"_s;
        // Start y m d h m s, stop y m d h m s, week day; the times are not shown.
        QTest::newRow("sunday") << AdvanceRowText({0, 12, 5, 8, 1, 2, 99, 1, 31, 6, 3, 4, 0})
                                << u"2000/12/05   2099/01/31   Sunday"_s;
        QTest::newRow("saturday") << AdvanceRowText({6, 5, 1, 0, 0, 0, 6, 5, 1, 0, 0, 0, 6})
                                  << u"2006/05/01   2006/05/01   Saturday"_s;
        QTest::newRow("every day") << AdvanceRowText({6, 5, 1, 0, 0, 0, 6, 5, 1, 0, 0, 0, 7})
                                   << u"2006/05/01   2006/05/01   All Day"_s;
        QTest::newRow("day 9") << AdvanceRowText({6, 5, 1, 0, 0, 0, 6, 5, 1, 0, 0, 0, 9})
                               << u"2006/05/01   2006/05/01   All Day"_s;

        QTest::newRow("lower case") << stored(u"song.mp3"_s) << u"SONG.MP3"_s;
        QTest::newRow("16 + 4, spaces")
            << stored(u" abcdefghijklmnop.jpeg  "_s) << u"ABCDEFGHIJKLMNOP.JPEG"_s;
        QTest::newRow("16, no dot") << stored(u"ABCDEFGHIJKLMNOP"_s) << u"ABCDEFGHIJKLMNOP."_s;
        QTest::newRow("dots in the base") << stored(u"x.y.mp3"_s) << u"X.Y.MP3"_s;
        QTest::newRow("only an extension") << stored(u".mp3"_s) << u".MP3"_s;
        QTest::newRow("digits and signs") << stored(u"a_1-b.mpeg"_s) << u"A_1-B.MPEG"_s;
        QTest::newRow("17-character base") << stored(u"abcdefghijklmnopq.jpg"_s) << QString();
        QTest::newRow("extension of 5") << stored(u"clip.mpeg4"_s) << QString();
        QTest::newRow("inner space") << stored(u"my clip.avi"_s) << QString();
        QTest::newRow("tab") << stored(u"\ta.mp3"_s) << QString();
        QTest::newRow("only spaces") << stored(u"   "_s) << QString();
        QTest::newRow("accented letter") << stored(u"caf\u00E9.mp3"_s) << QString();
        QTest::newRow("star") << stored(u"*.mp3"_s) << QString();

        QTest::newRow("drive path")
            << split(u"C:\\DIR\\FILE.MVS"_s, u'\\') << u"C:\\DIR\\|FILE.MVS"_s;
        QTest::newRow("unix path") << split(u"/home/a.mvs"_s, u'/') << u"/home/|a.mvs"_s;
        QTest::newRow("slash is no backslash") << split(u"C:/F.MVS"_s, u'\\') << u"|C:/F.MVS"_s;
        QTest::newRow("separator added") << WithTrailingSeparator(u"E:"_s, u'\\') << u"E:\\"_s;
        QTest::newRow("separator kept") << WithTrailingSeparator(u"/home/"_s, u'/') << u"/home/"_s;
        QTest::newRow("empty folder") << WithTrailingSeparator(QString(), u'/') << QString();

        QTest::newRow("SPRING.TXT") << ApplyScheduleExtension(u"SPRING.TXT"_s) << u"SPRING.TXT"_s;
        QTest::newRow("SPRING") << ApplyScheduleExtension(u"SPRING"_s) << u"SPRING.mvs"_s;
        QTest::newRow("SPRING.MV") << ApplyScheduleExtension(u"SPRING.MV"_s) << u"SPRING.MV.mvs"_s;
        QTest::newRow(".mvs") << ApplyScheduleExtension(u".mvs"_s) << u".mvs.mvs"_s;
        QTest::newRow("a.mvs") << ApplyScheduleExtension(u"a.mvs"_s) << u"a.mvs"_s;
    }

    void shownText() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // The yes-or-no answers: whether a file is there, how long a month is,
    // whether the advance entry editor takes a period's dates and times.
    void accepted_data() {
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("expected");
        const QString folder = m_dir.path();
        QTest::newRow("file exists") << FileExists(folder, u"a.mvs"_s) << true;
        QTest::newRow("star taken literally") << FileExists(folder, u"x*y.mvs"_s) << true;
        QTest::newRow("star is no wildcard") << FileExists(folder, u"*.mvs"_s) << false;
        QTest::newRow("question mark is no wildcard") << FileExists(folder, u"?.mvs"_s) << false;
        QTest::newRow("semicolon is no list") << FileExists(folder, u"c.mvs;a.mvs"_s) << false;
        QTest::newRow("a folder is no file") << FileExists(folder, u"d.mvs"_s) << false;
        QTest::newRow("name with a separator") << FileExists(folder, u"d.mvs/in.mvs"_s) << false;
        QTest::newRow("empty folder holds nothing") << FileExists(QString(), u"a.mvs"_s) << false;

        QTest::newRow("2000 is a leap year") << (DaysOfMonth(2000, 2) == 29) << true;
        QTest::newRow("2100 is none") << (DaysOfMonth(2100, 2) == 28) << true;
        QTest::newRow("2006 is none") << (DaysOfMonth(2006, 2) == 28) << true;
        QTest::newRow("30 days in april") << (DaysOfMonth(2006, 4) == 30) << true;
        QTest::newRow("no month 13") << (DaysOfMonth(2006, 13) == 0) << true;

        const AdvancePeriod period{6, 12, 28, 22, 0, 0, 7, 1, 5, 6, 0, 0};
        QTest::newRow("next year, earlier month")
            << DateSetupCheck(StartDateOf(period), StopDateOf(period)) << true;
        QTest::newRow("over midnight")
            << TimeSetupCheck(StartTimeOf(period), StopTimeOf(period)) << false;
        QTest::newRow("one day") << DateSetupCheck({2006, 3, 31}, {2006, 3, 31}) << true;
        QTest::newRow("a day earlier") << DateSetupCheck({2006, 3, 31}, {2006, 3, 30}) << false;
        QTest::newRow("earlier month, later day")
            << DateSetupCheck({2006, 6, 1}, {2006, 5, 31}) << false;
        QTest::newRow("equal times") << TimeSetupCheck({8, 30, 0}, {8, 30, 0}) << false;
        QTest::newRow("one second") << TimeSetupCheck({8, 30, 0}, {8, 30, 1}) << true;
        QTest::newRow("earlier hour, later minute")
            << TimeSetupCheck({11, 0, 0}, {10, 59, 59}) << false;
    }

    void accepted() {
        QFETCH(bool, result);
        QFETCH(bool, expected);
        QCOMPARE(result, expected);
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
            << withDetails({1, 1, 0, 1, 0}) << noDetails + u"3"_s + cantSave << qint64(215);
        QTest::newRow("empty entry reported before the size")
            << withDetails(QList<int>(10, 100) << 0) << noDetails + u"11"_s + cantSave
            << qint64(30215);
        QTest::newRow("29990 passes") << withDetails({1, 1}, 995) << QString() << qint64(29990);
        QTest::newRow("30005 is too large")
            << withDetails({1, 1, 1}, 994) << tooLarge << qint64(30005);
        QTest::newRow("editing limits")
            << withDetails(QList<int>(250, 100), 250) << tooLarge << qint64(761300);
    }

    void checkBeforeSave() {
        QFETCH(ScheduleDocument, document);
        QFETCH(QString, message);
        QFETCH(qint64, estimate);
        const SaveCheckFinding finding = CheckBeforeSave(document);
        QCOMPARE(SaveCheckMessage(finding, EnglishTexts()), message);
        QCOMPARE(SaveCheckPlainMessage(finding, EnglishTexts()),
                 QString(message).replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(finding.passed(), message.isEmpty());
        QCOMPARE(ScheduleSizeEstimate(document), estimate);
        QCOMPARE(CheckScheduleSize(document), estimate < 30000);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"

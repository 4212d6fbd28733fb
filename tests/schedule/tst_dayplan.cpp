#include "DayPlan.h"
#include "PeriodMatching.h"
#include "ScheduleWarnings.h"
#include "TestEntries.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A period from "YYYY-MM-DD HH:MM:SS" texts; any field value may be given,
// also ones that no calendar has (month 13, second 75), as a damaged file can.
AdvancePeriod period(const QString& start, const QString& stop, int weekDay = EveryWeekDay) {
    const QStringList a = start.split(QRegularExpression(u"[- :]"_s));
    const QStringList b = stop.split(QRegularExpression(u"[- :]"_s));
    const auto byte = [](const QStringList& fields, int i) {
        return quint8(fields[i].toInt() - (i == 0 ? FirstYear : 0));
    };
    return {byte(a, 0), byte(a, 1), byte(a, 2), byte(a, 3), byte(a, 4), byte(a, 5),     byte(b, 0),
            byte(b, 1), byte(b, 2), byte(b, 3), byte(b, 4), byte(b, 5), quint8(weekDay)};
}

ScheduleDocument scheduleOf(const QList<AdvancePeriod>& periods) {
    QList<AdvanceEntry> entries;
    for (const AdvancePeriod& when : periods)
        entries.append({when, numbered("D", 1)});
    return ScheduleDocument({media("SONG")}, entries);
}

int at(const QString& time) {
    return QTime::fromString(time, u"HH:mm:ss"_s).msecsSinceStartOfDay() / 1000;
}

} // namespace

class TestDayPlan final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matchesMoment_data() {
        QTest::addColumn<AdvancePeriod>("when");
        QTest::addColumn<QString>("moment");
        QTest::addColumn<bool>("matches");

        const AdvancePeriod spring = period(u"2026-03-01 08:00:00"_s, u"2026-05-31 17:30:00"_s);
        QTest::newRow("first second of the first day")
            << spring << u"2026-03-01 08:00:00"_s << true;
        QTest::newRow("last second of the last day") << spring << u"2026-05-31 17:30:00"_s << true;
        QTest::newRow("a second before the window") << spring << u"2026-04-01 07:59:59"_s << false;
        QTest::newRow("a second after the window") << spring << u"2026-04-01 17:30:01"_s << false;
        QTest::newRow("the day before the start") << spring << u"2026-02-28 12:00:00"_s << false;
        QTest::newRow("the day after the stop") << spring << u"2026-06-01 12:00:00"_s << false;

        // 2026-01-31 is a Saturday, 2026-02-01 a Sunday; 2025-12-31 a Wednesday.
        const AdvancePeriod sundays = period(u"2025-12-01 00:00:00"_s, u"2026-02-28 23:59:59"_s, 0);
        QTest::newRow("Sunday after a month end") << sundays << u"2026-02-01 10:00:00"_s << true;
        QTest::newRow("Saturday at a month end") << sundays << u"2026-01-31 10:00:00"_s << false;
        const AdvancePeriod wednesdays =
            period(u"2025-12-01 00:00:00"_s, u"2026-01-31 23:59:59"_s, 3);
        QTest::newRow("Wednesday at a year end") << wednesdays << u"2025-12-31 00:00:00"_s << true;
        QTest::newRow("Thursday after a year end")
            << wednesdays << u"2026-01-01 00:00:00"_s << false;
        // 2028-02-29 is a Tuesday; 2100 is not a leap year.
        const AdvancePeriod tuesdays =
            period(u"2028-02-29 00:00:00"_s, u"2028-02-29 23:59:59"_s, 2);
        QTest::newRow("leap day on its week day") << tuesdays << u"2028-02-29 12:00:00"_s << true;
        const AdvancePeriod turnOf2100 = period(u"2100-02-28 00:00:00"_s, u"2100-03-01 23:59:59"_s);
        QTest::newRow("the day after 2100-02-28") << turnOf2100 << u"2100-03-01 00:00:00"_s << true;

        QTest::newRow("every day") << period(u"2026-01-01 00:00:00"_s, u"2026-12-31 23:59:59"_s)
                                   << u"2026-07-04 23:59:59"_s << true;
        QTest::newRow("a damaged week day above 7 is every day")
            << period(u"2026-01-01 00:00:00"_s, u"2026-12-31 23:59:59"_s, 9)
            << u"2026-07-05 00:00:00"_s << true;
        QTest::newRow("one-second window")
            << period(u"2026-01-01 12:00:00"_s, u"2026-01-01 12:00:00"_s)
            << u"2026-01-01 12:00:00"_s << true;

        // Damaged fields keep their place in field order.
        const AdvancePeriod toFeb30 = period(u"2026-02-01 00:00:00"_s, u"2026-02-30 23:59:59"_s);
        QTest::newRow("stop day 30 of February takes in the 28th")
            << toFeb30 << u"2026-02-28 09:00:00"_s << true;
        QTest::newRow("stop day 30 of February ends before March")
            << toFeb30 << u"2026-03-01 09:00:00"_s << false;
        const AdvancePeriod fromMonth13 =
            period(u"2026-13-01 00:00:00"_s, u"2027-12-31 23:59:59"_s);
        QTest::newRow("start month 13 is after December")
            << fromMonth13 << u"2026-12-31 09:00:00"_s << false;
        QTest::newRow("start month 13 plays from January")
            << fromMonth13 << u"2027-01-01 09:00:00"_s << true;
        const AdvancePeriod oddTimes = period(u"2026-01-01 07:60:00"_s, u"2026-01-31 22:59:75"_s);
        QTest::newRow("start minute 60 is after 07:59:59")
            << oddTimes << u"2026-01-10 07:59:59"_s << false;
        QTest::newRow("start minute 60 plays from 08:00:00")
            << oddTimes << u"2026-01-10 08:00:00"_s << true;
        QTest::newRow("stop second 75 takes in 22:59:59")
            << oddTimes << u"2026-01-10 22:59:59"_s << true;
        QTest::newRow("stop second 75 ends before 23:00:00")
            << oddTimes << u"2026-01-10 23:00:00"_s << false;
    }
    void matchesMoment() {
        QFETCH(AdvancePeriod, when);
        QFETCH(QString, moment);
        QFETCH(bool, matches);
        const QDateTime dateTime = QDateTime::fromString(moment, u"yyyy-MM-dd HH:mm:ss"_s);
        QVERIFY(dateTime.isValid());
        const int second = dateTime.time().msecsSinceStartOfDay() / 1000;
        QCOMPARE(MatchesMoment(when, dateTime.date(), second), matches);
        // The plan of that day says the same at that second.
        const ScheduleDocument document = scheduleOf({when});
        const QList<DaySegment> plan = DaySegments(PeriodsOnDate(document, dateTime.date()));
        const auto segment = std::find_if(plan.begin(), plan.end(), [&](const DaySegment& s) {
            return s.firstSecond <= second && second <= s.lastSecond;
        });
        QVERIFY(segment != plan.end());
        QCOMPARE(segment->advanceRows, matches ? QList<int>{0} : QList<int>{});
    }

    void neverPlays_data() {
        QTest::addColumn<AdvancePeriod>("when");
        QTest::addColumn<NeverPlays>("reason");

        // 2026-12-06 is a Sunday.
        QTest::newRow("one Sunday, week day Monday")
            << period(u"2026-12-06 00:00:00"_s, u"2026-12-06 23:59:59"_s, 1)
            << NeverPlays::WeekDayOutsideDates;
        QTest::newRow("six days without a Saturday")
            << period(u"2026-12-06 00:00:00"_s, u"2026-12-11 23:59:59"_s, 6)
            << NeverPlays::WeekDayOutsideDates;
        QTest::newRow("seven days hold every week day")
            << period(u"2026-12-06 00:00:00"_s, u"2026-12-12 23:59:59"_s, 6) << NeverPlays::No;
        QTest::newRow("one Sunday on Sunday")
            << period(u"2026-12-06 00:00:00"_s, u"2026-12-06 23:59:59"_s, 0) << NeverPlays::No;
        QTest::newRow("stop date before start date")
            << period(u"2026-12-06 00:00:00"_s, u"2026-12-05 23:59:59"_s)
            << NeverPlays::NoDateInRange;
        QTest::newRow("only days that do not exist")
            << period(u"2026-02-29 00:00:00"_s, u"2026-02-31 23:59:59"_s)
            << NeverPlays::NoDateInRange;
        QTest::newRow("stop time before start time")
            << period(u"2026-01-01 22:00:00"_s, u"2026-12-31 06:00:00"_s)
            << NeverPlays::NoTimeInWindow;
        QTest::newRow("a window after midnight's last second")
            << period(u"2026-01-01 24:00:00"_s, u"2026-12-31 25:00:00"_s)
            << NeverPlays::NoTimeInWindow;
    }
    void neverPlays() {
        QFETCH(AdvancePeriod, when);
        QFETCH(NeverPlays, reason);
        QCOMPARE(NeverPlaysReason(when), reason);
        QCOMPARE(FirstPlayingDate(when).has_value(), reason == NeverPlays::No);
    }

    void daySegments_data() {
        QTest::addColumn<QList<DayWindow>>("windows");
        QTest::addColumn<QList<DaySegment>>("segments");

        const int last = SecondsPerDay - 1;
        QTest::newRow("no period") << QList<DayWindow>{} << QList<DaySegment>{{0, last, {}}};
        QTest::newRow("the whole day")
            << QList<DayWindow>{{0, 0, last}} << QList<DaySegment>{{0, last, {0}}};
        QTest::newRow("windows that touch leave no basic between")
            << QList<DayWindow>{{0, at(u"08:00:00"_s), at(u"11:59:59"_s)},
                                {1, at(u"12:00:00"_s), at(u"23:59:59"_s)}}
            << QList<DaySegment>{{0, at(u"07:59:59"_s), {}},
                                 {at(u"08:00:00"_s), at(u"11:59:59"_s), {0}},
                                 {at(u"12:00:00"_s), last, {1}}};
        QTest::newRow("overlap names both, in list order")
            << QList<DayWindow>{{2, at(u"10:00:00"_s), at(u"14:00:00"_s)},
                                {5, at(u"08:00:00"_s), at(u"12:00:00"_s)}}
            << QList<DaySegment>{{0, at(u"07:59:59"_s), {}},
                                 {at(u"08:00:00"_s), at(u"09:59:59"_s), {5}},
                                 {at(u"10:00:00"_s), at(u"12:00:00"_s), {2, 5}},
                                 {at(u"12:00:01"_s), at(u"14:00:00"_s), {2}},
                                 {at(u"14:00:01"_s), last, {}}};
        QTest::newRow("identical windows")
            << QList<DayWindow>{{0, 100, 200}, {1, 100, 200}}
            << QList<DaySegment>{{0, 99, {}}, {100, 200, {0, 1}}, {201, last, {}}};
        QTest::newRow("a one-second window at midnight")
            << QList<DayWindow>{{0, 0, 0}} << QList<DaySegment>{{0, 0, {0}}, {1, last, {}}};
    }
    void daySegments() {
        QFETCH(QList<DayWindow>, windows);
        QFETCH(QList<DaySegment>, segments);
        QCOMPARE(DaySegments(windows), segments);
    }

    // The plan and the moments agree: every second of a day falls in exactly
    // one segment, which names what matches at that second.
    void planAgreesWithMoments() {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 40; ++round) {
            QList<AdvancePeriod> periods;
            for (int i = 0; i < 12; ++i) {
                const int startHour = random.bounded(24);
                const int stopHour = startHour + random.bounded(24 - startHour);
                periods.append(period(u"2026-12-%1 %2:%3:00"_s.arg(1 + random.bounded(8))
                                          .arg(startHour)
                                          .arg(random.bounded(60)),
                                      u"2026-12-%1 %2:%3:59"_s.arg(8 + random.bounded(8))
                                          .arg(stopHour)
                                          .arg(random.bounded(60)),
                                      random.bounded(8)));
            }
            const ScheduleDocument document = scheduleOf(periods);
            const QDate day(2026, 12, 1 + random.bounded(16));
            const QList<DaySegment> plan = DaySegments(PeriodsOnDate(document, day));
            QCOMPARE(plan.first().firstSecond, 0);
            QCOMPARE(plan.last().lastSecond, SecondsPerDay - 1);
            for (qsizetype i = 0; i < plan.size(); ++i) {
                if (i > 0) {
                    QCOMPARE(plan[i].firstSecond, plan[i - 1].lastSecond + 1);
                    QVERIFY(plan[i].advanceRows != plan[i - 1].advanceRows);
                }
                for (int second : {plan[i].firstSecond, plan[i].lastSecond})
                    QCOMPARE(PeriodsAt(document, day, second), plan[i].advanceRows);
            }
        }
    }

    void warnings_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QList<ScheduleWarning>>("warnings");
        QTest::addColumn<QStringList>("lines");

        using Kind = ScheduleWarning::Kind;
        const AdvancePeriod year2026 = period(u"2026-01-01 00:00:00"_s, u"2026-12-31 23:59:59"_s);
        QTest::newRow("a period that plays")
            << scheduleOf({year2026}) << QList<ScheduleWarning>{} << QStringList{};
        QTest::newRow("a week day outside its dates")
            << scheduleOf({year2026, period(u"2026-12-06 00:00:00"_s, u"2026-12-06 23:59:59"_s, 1)})
            << QList<ScheduleWarning>{{Kind::NeverPlays, 1, -1, NeverPlays::WeekDayOutsideDates}}
            << QStringList{u"advance[1]: can never play: no Monday lies between 2026-12-06 and "
                           "2026-12-06"_s};
        QTest::newRow("stopped yesterday; stops today")
            << scheduleOf({period(u"2026-01-01 00:00:00"_s, u"2026-12-06 23:59:59"_s),
                           period(u"2026-01-01 00:00:00"_s, u"2026-12-07 00:00:00"_s)})
            << QList<ScheduleWarning>{{Kind::Ended, 0}}
            << QStringList{u"advance[0]: has ended: its stop date 2026-12-06 is before today, "
                           "2026-12-07"_s};
        QTest::newRow("never played and ended: one warning")
            << scheduleOf({period(u"2020-01-01 10:00:00"_s, u"2020-06-01 09:00:00"_s)})
            << QList<ScheduleWarning>{{Kind::NeverPlays, 0, -1, NeverPlays::NoTimeInWindow}}
            << QStringList{u"advance[0]: can never play: no time of day lies between 10:00:00 "
                           "and 09:00:00"_s};
        QTest::newRow("stop date before start date")
            << scheduleOf({period(u"2027-02-01 00:00:00"_s, u"2027-01-01 23:59:59"_s)})
            << QList<ScheduleWarning>{{Kind::NeverPlays, 0, -1, NeverPlays::NoDateInRange}}
            << QStringList{u"advance[0]: can never play: its stop date 2027-01-01 is before its "
                           "start date 2027-02-01"_s};
        QTest::newRow("three alike, every day spelled two ways")
            << scheduleOf({year2026, period(u"2026-01-01 00:00:00"_s, u"2026-12-31 23:59:59"_s, 2),
                           year2026, period(u"2026-01-01 00:00:00"_s, u"2026-12-31 23:59:59"_s, 8)})
            << QList<ScheduleWarning>{{Kind::SamePeriod, 2, 0}, {Kind::SamePeriod, 3, 0}}
            << QStringList{u"advance[2]: same dates, week day and time window as advance[0]; the "
                           "player chooses between them"_s,
                           u"advance[3]: same dates, week day and time window as advance[0]; the "
                           "player chooses between them"_s};
    }
    void warnings() {
        QFETCH(ScheduleDocument, document);
        QFETCH(QList<ScheduleWarning>, warnings);
        QFETCH(QStringList, lines);
        const QDate today(2026, 12, 7);
        const QList<ScheduleWarning> found = ScheduleWarnings(document, today);
        QCOMPARE(found, warnings);
        QStringList foundLines;
        for (const ScheduleWarning& warning : found)
            foundLines.append(WarningLine(document, warning, today));
        QCOMPARE(foundLines, lines);
    }

    // Just above 90% of the budget warns; below it does not.
    void sizeNearBudget_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<qint64>("estimate");
        QTest::addColumn<bool>("warned");
        const QList<int> details{100, 100, 100, 100, 100, 100, 100, 100, 94};
        QTest::newRow("27005") << documentWith(0, details) << qint64(27005) << true;
        QTest::newRow("26975") << documentWith(0, details.first(8) + QList<int>{93})
                               << qint64(26975) << false;
    }
    void sizeNearBudget() {
        QFETCH(ScheduleDocument, document);
        QFETCH(qint64, estimate);
        QFETCH(bool, warned);
        QCOMPARE(ScheduleSizeEstimate(document), estimate);
        const QList<ScheduleWarning> found = ScheduleWarnings(document, QDate(2000, 1, 1));
        const ScheduleWarning near{ScheduleWarning::Kind::NearSizeBudget, -1, -1, NeverPlays::No,
                                   estimate};
        QCOMPARE(found.contains(near), warned);
        if (warned)
            QCOMPARE(WarningLine(document, near, {}),
                     u"size estimate 27005 is above 90% of the budget of 30000"_s);
    }
};

QTEST_GUILESS_MAIN(TestDayPlan)
#include "tst_dayplan.moc"

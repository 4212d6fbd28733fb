// How long the warnings and the day plan of the largest schedule the editor
// can save take: the editor computes both after every change. Run by hand:
// build/bench/bench_dayplan [ROUNDS]. Not part of the test run.
#include "CurrentTexts.h"
#include "DayPlan.h"
#include "DayPlanModel.h"
#include "MediaNameRules.h"
#include "ScheduleWarnings.h"
#include "WarningTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// 250 periods, every one playing on the bench's day, and as many basic
// entries and details as the size budget lets Save accept (estimate 29990).
// staggered: each period has its own time window, so the day falls into 500
// segments and the periods overlap in long runs; otherwise all 250 periods
// are alike and every one but the first draws a warning.
ScheduleDocument largestPlannedDocument(bool staggered) {
    MediaEntry media;
    StoreMediaName(u"BENCHMARK-ENTRY1.MPG"_s, media);
    QList<AdvanceEntry> periods;
    int details = (ScheduleSizeBudget - 1 - 50 - 15 * MaxAdvanceEntries) / 30 - MaxBasicEntries;
    for (int k = 0; k < MaxAdvanceEntries; ++k) {
        const int start = staggered ? k * 300 : 0;
        const int stop = staggered ? start + 40000 : 86399;
        AdvancePeriod period{26,
                             1,
                             1,
                             quint8(start / 3600),
                             quint8(start / 60 % 60),
                             quint8(start % 60),
                             26,
                             12,
                             31,
                             quint8(std::min(stop, 86399) / 3600),
                             quint8(std::min(stop, 86399) / 60 % 60),
                             quint8(std::min(stop, 86399) % 60),
                             EveryWeekDay};
        const int count = std::clamp(details - (MaxAdvanceEntries - 1 - k), 1, MaxDetailEntries);
        details -= count;
        periods.append({period, QList<MediaEntry>(count, media)});
    }
    return ScheduleDocument(QList<MediaEntry>(MaxBasicEntries, media), periods);
}

// The median of rounds runs, in milliseconds.
double medianMs(int rounds, const std::function<void()>& work) {
    QList<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    LoadEnglishTexts();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const QDate day(2026, 6, 15);
    for (const bool staggered : {true, false}) {
        const ScheduleDocument document = largestPlannedDocument(staggered);
        qsizetype warningCount = 0, segmentCount = 0;
        const double warnings =
            medianMs(rounds, [&] { warningCount = ScheduleWarnings(document, day).size(); });
        const double texts = medianMs(rounds, [&] {
            for (const ScheduleWarning& warning : ScheduleWarnings(document, day))
                WarningText(document, warning);
        });
        const double plan = medianMs(
            rounds, [&] { segmentCount = DaySegments(PeriodsOnDate(document, day)).size(); });
        DayPlanModel model;
        const double rows = medianMs(rounds, [&] { model.setPlan(document, day); });
        std::printf("%s: estimate %lld, %lld warnings, %lld segments, %d rounds (median)\n"
                    "  warnings %.3f ms, with their texts %.3f ms\n"
                    "  day plan %.3f ms, as the window's rows %.3f ms\n",
                    staggered ? "250 staggered periods" : "250 alike periods",
                    static_cast<long long>(ScheduleSizeEstimate(document)),
                    static_cast<long long>(warningCount), static_cast<long long>(segmentCount),
                    rounds, warnings, texts, plan, rows);
    }
    return 0;
}

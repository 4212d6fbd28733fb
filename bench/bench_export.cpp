// Export to a drive as the editor runs it: how fast the files go, how long a
// second export of the same files takes (all already there), and the longest
// the window's thread waits for its turn meanwhile (the export runs on a
// worker; a timer on the window's thread every 5 ms measures the gaps). Run
// by hand: build/bench/bench_export [MEGABYTES] [FOLDER]. The folder should
// be on the disk to measure; the default is the temporary folder.
#include "ExportJob.h"
#include "ScheduleWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int MediaFiles = 20;

struct Run {
    double seconds = 0;
    qint64 longestGapMs = 0;
    ExportReport report;
};

Run runExport(const QList<ExportFile>& plan, const QString& target) {
    Run run;
    ExportJob job(plan, target);
    QElapsedTimer clock, sinceTick;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        run.longestGapMs = std::max(run.longestGapMs, sinceTick.restart());
    });
    QEventLoop loop;
    QObject::connect(&job, &ExportJob::finished, &loop, &QEventLoop::quit);
    clock.start();
    sinceTick.start();
    ticks.start(5);
    job.start();
    loop.exec();
    run.seconds = double(clock.nsecsElapsed()) / 1e9;
    run.report = job.report();
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir(argc > 2 ? QString::fromLocal8Bit(argv[2]) + u"/bench-export-XXXXXX"_s
                               : QDir::tempPath() + u"/bench-export-XXXXXX"_s);
    const QString media = dir.path() + u"/media/"_s, target = dir.path() + u"/drive/"_s;
    QDir().mkpath(media);
    QDir().mkpath(target);

    // Twenty media files of equal size, named in lower case as a camera or a
    // download leaves them; the schedule stores them in upper case.
    QList<MediaEntry> entries;
    const QByteArray chunk(1 << 20, 'm');
    const int perFile = std::max(1, megabytes / MediaFiles);
    for (int i = 0; i < MediaFiles; ++i) {
        MediaEntry entry;
        SetFieldBytes(entry.name, "CLIP" + QByteArray::number(i));
        SetFieldBytes(entry.extension, "MP4");
        entries.append(entry);
        QFile file(media + u"clip%1.mp4"_s.arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (int m = 0; m < perFile; ++m)
            file.write(chunk);
    }
    const ScheduleDocument document(entries, {});
    SeededRandomSource random(1);
    const QString schedule = dir.path() + u"/show.mvs"_s;
    if (!WriteScheduleFile(schedule, document, random))
        return 1;
    const QList<ExportFile> plan = PlanExport(schedule, document, media);
    const double total = double(perFile) * MediaFiles;

    const Run first = runExport(plan, target);
    std::printf("export of %d files, %.0f MiB: %.2f s, %.0f MiB/s; longest wait of the window's "
                "thread %lld ms; %d copied\n",
                MediaFiles, total, first.seconds, total / first.seconds,
                static_cast<long long>(first.longestGapMs),
                first.report.mediaCount(ExportOutcome::Copied));
    const Run again = runExport(plan, target);
    std::printf("the same again, all already there: %.2f s; longest wait %lld ms; %d already "
                "there\n",
                again.seconds, static_cast<long long>(again.longestGapMs),
                again.report.mediaCount(ExportOutcome::AlreadyThere));
    return 0;
}

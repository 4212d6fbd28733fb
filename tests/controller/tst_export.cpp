// Export to a player's drive: which files a schedule names, where they are
// found, and what lands in the target folder, whole or not at all, whatever
// happens on the way (a full disk, a cancel at any moment).

#include "ExportJob.h"
#include "ScheduleExport.h"
#include "TestFiles.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString ScheduleName = u"morva.mvs"_s;
const QString ScheduleMark = u"<schedule>"_s;

// "NAME.EXT" or "NAME" as the schedule stores it.
MediaEntry stored(const QString& fileName) {
    const QByteArray bytes = fileName.toLatin1();
    const qsizetype dot = bytes.lastIndexOf('.');
    return dot < 0 ? media(bytes, "") : media(bytes.left(dot), bytes.mid(dot + 1));
}

// "name=bytes" pairs into files of folder.
void writeFiles(const QString& folder, const QStringList& files, const QByteArray& schedule) {
    QDir().mkpath(folder);
    for (const QString& file : files) {
        const QString name = file.section(u'=', 0, 0), bytes = file.section(u'=', 1);
        QVERIFY(WriteBytes(folder + name, bytes == ScheduleMark ? schedule : bytes.toLatin1()));
    }
}

QStringList asPairs(const QMap<QString, QString>& snapshot, const QByteArray& schedule) {
    QStringList pairs;
    for (auto it = snapshot.begin(); it != snapshot.end(); ++it)
        pairs.append(it.key() + u'=' +
                     (it.value().toLatin1() == schedule ? ScheduleMark : it.value()));
    return pairs;
}

// Expected lines may end in '*': the rest of the line is a system's reason.
bool linesMatch(const QStringList& actual, const QStringList& expected) {
    if (actual.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < actual.size(); ++i) {
        const bool matches = expected[i].endsWith(u'*')
                                 ? actual[i].startsWith(expected[i].chopped(1))
                                 : actual[i] == expected[i];
        if (!matches)
            return false;
    }
    return true;
}

// A schedule in its own folder, media files, and a target folder.
struct ExportSetup {
    TestFolder dir;
    QString scheduleFolder = dir.path() + u"schedules/"_s, mediaFolder = dir.path() + u"media/"_s,
            target = dir.path() + u"drive/player/"_s;
    ScheduleDocument document;
    QByteArray scheduleBytes;

    explicit ExportSetup(ScheduleDocument scheduled)
        : document(std::move(scheduled)) {
        QDir().mkpath(scheduleFolder);
        QDir().mkpath(mediaFolder);
        QDir().mkpath(target);
        WriteSchedule(scheduleFolder, ScheduleName, document);
        scheduleBytes = FileBytes(scheduleFolder + ScheduleName);
    }
    QList<ExportFile> plan() const {
        return PlanExport(scheduleFolder + ScheduleName, document, mediaFolder);
    }
};

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mediaNames_data() {
        QTest::addColumn<QStringList>("basic");
        QTest::addColumn<QStringList>("details");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("basic first, then the details")
            << QStringList{u"B.MP3"_s} << QStringList{u"D.AVI"_s}
            << QStringList{u"B.MP3"_s, u"D.AVI"_s};
        QTest::newRow("each name once") << QStringList{u"SONG.MP3"_s, u"SONG.MP3"_s}
                                        << QStringList{u"SONG.MP3"_s, u"CLIP.MP3"_s}
                                        << QStringList{u"SONG.MP3"_s, u"CLIP.MP3"_s};
        QTest::newRow("no extension, no dot")
            << QStringList{u"CLIP"_s} << QStringList{} << QStringList{u"CLIP"_s};
        QTest::newRow("letter case folded for sameness")
            << QStringList{u"SONG.MP3"_s} << QStringList{u"song.mp3"_s}
            << QStringList{u"SONG.MP3"_s};
        QTest::newRow("empty schedule") << QStringList{} << QStringList{} << QStringList{};
    }
    void mediaNames() {
        QFETCH(QStringList, basic);
        QFETCH(QStringList, details);
        QList<MediaEntry> basicEntries, detailEntries;
        for (const QString& name : basic)
            basicEntries.append(stored(name));
        for (const QString& name : details)
            detailEntries.append(stored(name));
        const ScheduleDocument document(basicEntries, {{{}, {}}, {{}, detailEntries}});
        QTEST(ScheduleMediaFileNames(document), "names");
    }

    void exportToFolder_data() {
        QTest::addColumn<QStringList>("names");  // as the schedule stores them
        QTest::addColumn<QStringList>("media");  // name=bytes in the media folder
        QTest::addColumn<QStringList>("before"); // name=bytes at the target
        QTest::addColumn<int>("diskLimit");      // bytes a file may have; 0: no limit
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("after"); // the target folder afterwards

        const QString schedule = ScheduleName + u'=' + ScheduleMark;
        QTest::newRow("media found without regard to case, copied under the stored name")
            << QStringList{u"SONG.MP3"_s, u"CLIP.AVI"_s}
            << QStringList{u"song.mp3=tune"_s, u"Clip.Avi=film"_s} << QStringList{} << 0
            << QStringList{u"copied: morva.mvs"_s, u"copied: SONG.MP3"_s, u"copied: CLIP.AVI"_s,
                           u"schedule file copied; media files: 2 copied, 0 already there, 0 missing, 0 failed"_s}
            << QStringList{u"CLIP.AVI=film"_s, u"SONG.MP3=tune"_s, schedule};
        QTest::newRow("an exact match wins over other cases")
            << QStringList{u"SONG.MP3"_s} << QStringList{u"song.mp3=lower"_s, u"SONG.MP3=upper"_s}
            << QStringList{} << 0
            << QStringList{u"copied: morva.mvs"_s, u"copied: SONG.MP3"_s,
                           u"schedule file copied; media files: 1 copied, 0 already there, 0 missing, 0 failed"_s}
            << QStringList{u"SONG.MP3=upper"_s, schedule};
        QTest::newRow("several other cases: none is guessed")
            << QStringList{u"SONG.MP3"_s} << QStringList{u"Song.mp3=one"_s, u"song.MP3=two"_s}
            << QStringList{} << 0
            << QStringList{u"copied: morva.mvs"_s,
                           u"failed: SONG.MP3: the media folder holds several files of this name "
                           u"in other letter cases: Song.mp3, song.MP3"_s,
                           u"schedule file copied; media files: 0 copied, 0 already there, 0 missing, 1 failed"_s}
            << QStringList{schedule};
        QTest::newRow("a missing file is named, the others copied")
            << QStringList{u"SONG.MP3"_s, u"GONE.MP3"_s, u"CLIP"_s}
            << QStringList{u"song.mp3=tune"_s, u"clip=film"_s} << QStringList{} << 0
            << QStringList{u"copied: morva.mvs"_s, u"copied: SONG.MP3"_s, u"missing: GONE.MP3"_s,
                           u"copied: CLIP"_s,
                           u"schedule file copied; media files: 2 copied, 0 already there, 1 missing, 0 failed"_s}
            << QStringList{u"CLIP=film"_s, u"SONG.MP3=tune"_s, schedule};
        QTest::newRow("identical files already there are left alone")
            << QStringList{u"SONG.MP3"_s, u"CLIP.MP3"_s}
            << QStringList{u"song.mp3=tune"_s, u"clip.mp3=new film"_s}
            << QStringList{schedule, u"SONG.MP3=tune"_s, u"CLIP.MP3=old film"_s} << 0
            << QStringList{u"already there: morva.mvs"_s, u"already there: SONG.MP3"_s,
                           u"copied: CLIP.MP3"_s,
                           u"schedule file already there; media files: 1 copied, 1 already there, 0 missing, 0 failed"_s}
            << QStringList{u"CLIP.MP3=new film"_s, u"SONG.MP3=tune"_s, schedule};
        QTest::newRow("a name that would leave the folder is refused")
            << QStringList{u"../../EVIL.MP3"_s, u"A/B.MP3"_s} << QStringList{u"song.mp3=tune"_s}
            << QStringList{} << 0
            << QStringList{u"copied: morva.mvs"_s,
                           u"failed: ../../EVIL.MP3: the schedule stores no usable file name here"_s,
                           u"failed: A/B.MP3: the schedule stores no usable file name here"_s,
                           u"schedule file copied; media files: 0 copied, 0 already there, 0 missing, 2 failed"_s}
            << QStringList{schedule};
        QTest::newRow("a media file named like the schedule file")
            << QStringList{u"MORVA.MVS"_s} << QStringList{u"morva.mvs=media"_s} << QStringList{}
            << 0
            << QStringList{u"copied: morva.mvs"_s,
                           u"failed: MORVA.MVS: it has the schedule file's name"_s,
                           u"schedule file copied; media files: 0 copied, 0 already there, 0 missing, 1 failed"_s}
            << QStringList{schedule};
        QTest::newRow("a full disk fails the big file only, and leaves no part of it")
            << QStringList{u"BIG.MP3"_s, u"SMALL.MP3"_s}
            << QStringList{u"big.mp3="_s + QString(3000, u'b'), u"small.mp3=tune"_s}
            << QStringList{u"BIG.MP3=old"_s} << 2000
            << QStringList{u"copied: morva.mvs"_s, u"failed: BIG.MP3: *"_s, u"copied: SMALL.MP3"_s,
                           u"schedule file copied; media files: 1 copied, 0 already there, 0 missing, 1 failed"_s}
            << QStringList{u"BIG.MP3=old"_s, u"SMALL.MP3=tune"_s, schedule};
    }
    void exportToFolder() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, media);
        QFETCH(QStringList, before);
        QFETCH(int, diskLimit);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, after);

        QList<MediaEntry> entries;
        for (const QString& name : names)
            entries.append(stored(name));
        ExportSetup setup(ScheduleDocument(entries, {}));
        writeFiles(setup.mediaFolder, media, setup.scheduleBytes);
        writeFiles(setup.target, before, setup.scheduleBytes);
        const auto mediaBefore = FolderSnapshot(setup.mediaFolder);
        const auto schedulesBefore = FolderSnapshot(setup.scheduleFolder);

        // In a child: the disk limit must not reach the test's own files.
        QCOMPARE(ExitCodeInChild([&] {
                     if (diskLimit > 0)
                         FillDiskAfter(rlim_t(diskLimit));
                     const QStringList reported =
                         ExportReportLines(RunExport(setup.plan(), setup.target));
                     if (linesMatch(reported, lines))
                         return 0;
                     qWarning("reported:\n%s", qPrintable(reported.join(u'\n')));
                     return 1;
                 }),
                 0);
        QCOMPARE(asPairs(FolderSnapshot(setup.target), setup.scheduleBytes), after);
        QCOMPARE(FolderSnapshot(setup.mediaFolder), mediaBefore);
        QCOMPARE(FolderSnapshot(setup.scheduleFolder), schedulesBefore);
        // Nothing anywhere else: a refused name wrote nowhere.
        QCOMPARE(FolderEntries(setup.dir.path()),
                 (QStringList{u"drive"_s, u"media"_s, u"schedules"_s}));
    }

    void missingTargetFolderFailsEveryFile() {
        ExportSetup setup(ScheduleDocument({stored(u"SONG.MP3"_s)}, {}));
        writeFiles(setup.mediaFolder, {u"song.mp3=tune"_s}, {});
        const ExportReport report = RunExport(setup.plan(), setup.dir.path() + u"unplugged/"_s);
        QCOMPARE(report.mediaCount(ExportOutcome::Failed), 1);
        QCOMPARE(report.files.first().outcome, ExportOutcome::Failed);
        QVERIFY(!report.complete());
        QVERIFY(!QFileInfo::exists(setup.dir.path() + u"unplugged"_s));
    }

    // Cancel at the start of file k, or after its first chunk: the files
    // before k are there whole, nothing of file k or later is.
    void cancelAtEachFile_data() {
        QTest::addColumn<int>("cancelFile");
        QTest::addColumn<bool>("afterFirstChunk");
        for (int file = 1; file <= 4; ++file)
            for (const bool afterChunk : {false, true})
                QTest::addRow("file %d, %s", file, afterChunk ? "after a chunk" : "at its start")
                    << file << afterChunk;
    }
    void cancelAtEachFile() {
        QFETCH(int, cancelFile);
        QFETCH(bool, afterFirstChunk);
        ExportSetup setup(ScheduleDocument(
            {stored(u"ONE.MP3"_s), stored(u"BIG.MP3"_s), stored(u"TWO.MP3"_s)}, {}));
        const QByteArray big((1 << 20) + 5000, 'b'); // two chunks
        writeFiles(setup.mediaFolder, {u"one.mp3=1"_s, u"two.mp3=2"_s}, {});
        QVERIFY(WriteBytes(setup.mediaFolder + u"big.mp3"_s, big));
        writeFiles(setup.target, {u"BIG.MP3=old"_s}, {});

        QList<int> filesSeen;
        const ExportReport report =
            RunExport(setup.plan(), setup.target, [&](const ExportProgress& progress) {
                if (filesSeen.isEmpty() || filesSeen.last() != progress.file)
                    filesSeen.append(progress.file);
                return progress.file != cancelFile || (afterFirstChunk && progress.bytesDone == 0);
            });

        QVERIFY(report.cancelled);
        QCOMPARE(filesSeen.last(), cancelFile);
        const QStringList names{ScheduleName, u"ONE.MP3"_s, u"BIG.MP3"_s, u"TWO.MP3"_s};
        QMap<QString, QString> expected{{u"BIG.MP3"_s, u"old"_s}};
        for (int file = 1; file <= 4; ++file) {
            const bool done = file < cancelFile;
            QCOMPARE(report.files[file - 1].outcome,
                     done ? ExportOutcome::Copied : ExportOutcome::NotDone);
            if (done)
                expected.insert(names[file - 1],
                                QString::fromLatin1(FileBytes(
                                    file == 1 ? setup.scheduleFolder + ScheduleName
                                              : setup.mediaFolder + names[file - 1].toLower())));
        }
        QCOMPARE(FolderSnapshot(setup.target), expected);
    }

    // The job copies on its own thread and reports back on the test's. A
    // cancel made before the worker reaches its first file (the latest moment
    // a test can pick without racing it) stops it before anything is written.
    void jobReportsProgressAndCancels_data() {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("runs to the end") << false;
        QTest::newRow("cancelled") << true;
    }
    void jobReportsProgressAndCancels() {
        QFETCH(bool, cancelled);
        ExportSetup setup(ScheduleDocument({stored(u"BIG.MP3"_s)}, {}));
        QVERIFY(WriteBytes(setup.mediaFolder + u"BIG.MP3"_s, QByteArray(3 << 20, 'b')));
        ExportJob job(setup.plan(), setup.target);
        QSignalSpy finished(&job, &ExportJob::finished);
        QList<int> files;
        connect(&job, &ExportJob::progressed, this, [&](const ExportProgress& progress) {
            QCOMPARE(QThread::currentThread(), thread());
            files.append(progress.file);
        });
        if (cancelled)
            job.cancel();
        job.start();
        QVERIFY(finished.wait(20000));
        QVERIFY(!job.isRunning());
        QCOMPARE(files.first(), 1);
        QCOMPARE(files.last(), cancelled ? 1 : 2);
        QCOMPARE(job.report().cancelled, cancelled);
        QCOMPARE(job.report().complete(), !cancelled);
        const QStringList landed =
            cancelled ? QStringList() : QStringList{u"BIG.MP3"_s, ScheduleName};
        QCOMPARE(FolderEntries(setup.target), landed);
    }
};

QTEST_GUILESS_MAIN(ExportTest)
#include "tst_export.moc"

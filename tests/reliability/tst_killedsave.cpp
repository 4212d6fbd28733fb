// A save killed with SIGKILL: at random moments (before the helper saves,
// while it encodes and writes, between saves), and on entering each file
// system call a save makes. After every kill the file is the old one byte for
// byte or a complete new one, and nothing else is left in the folder.

#include "KilledSaveDocuments.h"
#include "RandomSource.h"
#include "SafeFileWrite.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 HelperSeed = 4711;
const QString ScheduleName = u"morva.mvs"_s;

enum class KillMoment {
    AfterStart, // counted from the start of the process: often before any save
    WhileSaving // counted from the helper's "running" line: while it saves
};

struct KillCounts {
    int kills = 0;
    int beforeFirstSave = 0;
    int midSave = 0;
    int betweenSaves = 0;
    int afterFinishedSaves = 0; // at least one save had finished
    int oldFileKept = 0;        // the file as it was when the save began
    int newFileComplete = 0;    // the complete result of the save under way
    int clearedAtStart = 0;     // names of complete files that start-up removed
    QStringList leftovers;      // files beside the schedule that stay, one entry per kill
};

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Everything in folder, hidden files included: a leftover may be hidden.
QStringList AllEntriesIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool emptyFolder(const QString& folder) {
    bool removed = true;
    for (const QString& entry : AllEntriesIn(folder))
        removed = QFile::remove(folder + entry) && removed;
    return removed;
}

QStringList helperArguments(const QString& mode, const QString& folder, const QString& progressPath,
                            bool largeFirst) {
    return {mode,
            folder,
            ScheduleName,
            progressPath,
            largeFirst ? u"large"_s : u"small"_s,
            QString::number(HelperSeed)};
}

// The file system calls a save may make; kills on entering them, at their
// first and second use, are the exact points.
const QStringList FileCalls = {u"openat"_s, u"write"_s,     u"fchown"_s,   u"fchmod"_s,
                               u"fsync"_s,  u"fdatasync"_s, u"unlinkat"_s, u"linkat"_s,
                               u"rename"_s, u"renameat"_s,  u"renameat2"_s};

} // namespace

class TestKilledSave final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_work;
    // Memory-backed where possible, so the helper's counts never wait for
    // the disk.
    std::unique_ptr<QTemporaryDir> m_progressDir;
    QString m_folder;       // holds the schedule file and nothing else
    QString m_progressPath; // outside that folder
    QByteArray m_prepared;
    QByteArray m_fixedLarge;
    QByteArray m_fixedSmall;
    // Fixed, so a failing run can be repeated kill for kill.
    QRandomGenerator m_delays{20061228};
    KillCounts m_total;
    int m_exactKills = 0;
    QElapsedTimer m_clock;

    QString schedulePath() const { return m_folder + ScheduleName; }

    bool prepareRun(bool withOldFile) {
        return emptyFolder(m_folder) && (!withOldFile || writeBytes(schedulePath(), m_prepared)) &&
               writeBytes(m_progressPath, QByteArray(SaveProgressFileSize, '\0'));
    }

    // Starts the helper, kills it after the delay and checks the folder.
    // Returns what is wrong, or nothing.
    QString killOnce(const QString& mode, KillMoment moment, int delayUs, bool largeFirst,
                     KillCounts& counts) {
        if (!prepareRun(true))
            return u"cannot prepare the files"_s;
        QProcess helper;
        helper.start(QString::fromUtf8(MORVA_SAVE_HELPER),
                     helperArguments(mode, m_folder, m_progressPath, largeFirst));
        if (!helper.waitForStarted(10000))
            return u"the helper did not start: "_s + helper.errorString();
        if (moment == KillMoment::WhileSaving) {
            while (!helper.canReadLine() && helper.state() == QProcess::Running)
                helper.waitForReadyRead(10000);
            if (helper.readLine() != HelperRunningLine) {
                helper.kill();
                helper.waitForFinished(10000);
                return u"the helper did not start saving: "_s +
                       QString::fromLocal8Bit(helper.readAllStandardError());
            }
        }
        QThread::usleep(ulong(delayUs));
        helper.kill();
        if (!helper.waitForFinished(10000))
            return u"the helper did not end after SIGKILL"_s;
        if (helper.exitStatus() != QProcess::CrashExit)
            return u"the helper ended by itself with status %1: %2"_s.arg(helper.exitCode())
                .arg(QString::fromLocal8Bit(helper.readAllStandardError()));

        const SaveProgress progress = ReadSaveProgress(m_progressPath);
        ++counts.kills;
        if (progress.started == 0)
            ++counts.beforeFirstSave;
        else if (progress.started > progress.completed)
            ++counts.midSave;
        else
            ++counts.betweenSaves;
        if (progress.completed > 0)
            ++counts.afterFinishedSaves;
        return checkFolder(true, mode != u"document", largeFirst, progress, counts);
    }

    // The file must be what the last finished save left (the file there
    // before, or none, when no save finished), or the complete result of the
    // save under way. A file beside it is recorded in counts.leftovers; any
    // other problem is returned.
    QString checkFolder(bool hadOldFile, bool bytesMode, bool largeFirst,
                        const SaveProgress& progress, KillCounts& counts) {
        const QString where = u"after save %1 began and %2 finished: "_s.arg(progress.started)
                                  .arg(progress.completed);
        if (progress.started < progress.completed || progress.started > progress.completed + 1)
            return where + u"impossible counts"_s;
        QStringList others = AllEntriesIn(m_folder);
        if (others != QStringList{ScheduleName}) {
            // A kill in the instant between naming the new file and moving it
            // over the old one leaves that name; the next start clears it
            // before it reads anything.
            RemoveStaleSavingFiles(m_folder, ScheduleName);
            const QStringList after = AllEntriesIn(m_folder);
            counts.clearedAtStart += int(others.size() - after.size());
            others = after;
        }
        const bool exists = others.removeAll(ScheduleName) > 0;
        if (!others.isEmpty())
            counts.leftovers.append(others.join(u", "_s));
        if (!exists) {
            if (hadOldFile || progress.completed != 0)
                return where + u"the schedule file is gone"_s;
            ++counts.oldFileKept;
            return {};
        }
        const QByteArray bytes = bytesOf(schedulePath());
        if (hadOldFile && bytes == m_prepared) {
            if (progress.completed != 0)
                return where + u"the file is still the prepared one"_s;
            ++counts.oldFileKept;
            return {};
        }
        const DecodeResult read = ReadScheduleFileAt(schedulePath());
        if (!read.ok)
            return where +
                   u"the file (%1 bytes) cannot be read: %2"_s.arg(bytes.size()).arg(read.error);
        for (quint32 save : {progress.completed, progress.started}) {
            if (save == 0 || read.document != DocumentOfSave(save, largeFirst))
                continue;
            const bool large = (save % 2 == 1) == largeFirst;
            if (bytesMode && bytes != (large ? m_fixedLarge : m_fixedSmall))
                return where + u"the file reads as save %1 but differs from its bytes"_s.arg(save);
            if (save == progress.completed)
                ++counts.oldFileKept;
            else
                ++counts.newFileComplete;
            return {};
        }
        return where + u"the file holds none of the expected documents"_s;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_work.isValid());
        m_folder = m_work.filePath(u"schedules"_s) + u'/';
        QVERIFY(QDir().mkpath(m_folder));
        if (QFileInfo(u"/dev/shm"_s).isDir())
            m_progressDir = std::make_unique<QTemporaryDir>(u"/dev/shm/morva-killedsave-XXXXXX"_s);
        if (!m_progressDir || !m_progressDir->isValid())
            m_progressDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_progressDir->isValid());
        m_progressPath = m_progressDir->filePath(u"progress"_s);
        SeededRandomSource random(1);
        QVERIFY(WriteScheduleFile(m_folder + ScheduleName, PreparedDocument(), random));
        m_prepared = bytesOf(schedulePath());
        m_fixedLarge = FixedBytesOf(LargeDocument(), HelperSeed);
        m_fixedSmall = FixedBytesOf(SmallDocument(), HelperSeed);
        QVERIFY(!m_prepared.isEmpty() && !m_fixedLarge.isEmpty() && !m_fixedSmall.isEmpty());
        m_clock.start();
    }

    void killedSaveLeavesOldOrNewFile_data() {
        QTest::addColumn<QString>("mode"); // of the helper
        QTest::addColumn<KillMoment>("moment");
        QTest::addColumn<int>("maxDelayUs");
        QTest::addColumn<int>("kills");
        // The helper needs some 10 to 40 ms to start; a save takes some 10 ms,
        // the first one longer. Kills counted from the start land before,
        // during and after its first saves; kills counted from its "running"
        // line land in its saves.
        QTest::newRow("0-40 ms after start, whole saves")
            << u"document"_s << KillMoment::AfterStart << 40000 << 70;
        QTest::newRow("0-60 ms into the saving, whole saves")
            << u"document"_s << KillMoment::WhileSaving << 60000 << 70;
        QTest::newRow("0-40 ms into the saving, file writes only")
            << u"bytes"_s << KillMoment::WhileSaving << 40000 << 70;
        QTest::newRow("0-40 ms into the saving, file writes only, named temporary file")
            << u"named-bytes"_s << KillMoment::WhileSaving << 40000 << 70;
    }

    void killedSaveLeavesOldOrNewFile() {
        QFETCH(QString, mode);
        QFETCH(KillMoment, moment);
        QFETCH(int, maxDelayUs);
        QFETCH(int, kills);
        KillCounts counts;
        for (int kill = 0; kill < kills; ++kill) {
            const int delayUs = int(m_delays.bounded(maxDelayUs + 1));
            const bool largeFirst = kill % 2 == 0;
            const qsizetype leftoversBefore = counts.leftovers.size();
            const QString problem = killOnce(mode, moment, delayUs, largeFirst, counts);
            QVERIFY2(
                problem.isEmpty(),
                qPrintable(u"kill %1 after %2 us: %3"_s.arg(kill + 1).arg(delayUs).arg(problem)));
            if (counts.leftovers.size() > leftoversBefore)
                counts.leftovers.last().prepend(
                    u"kill %1 after %2 us: "_s.arg(kill + 1).arg(delayUs));
        }
        m_total.kills += counts.kills;
        m_total.midSave += counts.midSave;
        m_total.leftovers += counts.leftovers;
        m_total.clearedAtStart += counts.clearedAtStart;
        qInfo("%d kills: %d before the first save, %d in the middle of a save, %d between "
              "saves, %d after one or more finished saves; the file as before the save %d "
              "times, the complete new file %d times; %d left a temporary file",
              counts.kills, counts.beforeFirstSave, counts.midSave, counts.betweenSaves,
              counts.afterFinishedSaves, counts.oldFileKept, counts.newFileComplete,
              int(counts.leftovers.size()));
        QVERIFY2(counts.leftovers.isEmpty(),
                 qPrintable(u"temporary files left beside the schedule: "_s +
                            counts.leftovers.join(u"; "_s)));
        // Kills counted from the "running" line must hit saves, or this test
        // proves nothing about them.
        if (moment == KillMoment::WhileSaving)
            QVERIFY2(counts.midSave > kills / 2, "too few kills landed in the middle of a save");
    }

    // Kills at exact moments: strace's fault injection kills the helper on
    // entering a system call, at its first or second use. Every such point
    // the first two saves reach is one more kill at a known step, whatever
    // way the file is replaced.
    void killedOnEnteringEachFileCall_data() {
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<QString>("mode"); // of the helper
        for (const QString& mode : {u"bytes"_s, u"named-bytes"_s}) {
            QTest::newRow(qPrintable(u"over an old file, "_s + mode)) << true << mode;
            QTest::newRow(qPrintable(u"as a new file, "_s + mode)) << false << mode;
        }
    }

    void killedOnEnteringEachFileCall() {
        QFETCH(bool, oldFile);
        QFETCH(QString, mode);
        const QString strace = QStandardPaths::findExecutable(u"strace"_s);
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        QStringList reached;
        QStringList problems;
        KillCounts counts;
        for (const QString& call : FileCalls) {
            for (int occurrence = 1; occurrence <= 2; ++occurrence) {
                QVERIFY(prepareRun(oldFile));
                const QString point = u"%1 #%2"_s.arg(call).arg(occurrence);
                QProcess helper;
                // Two saves, unless the injection kills the helper first.
                helper.start(strace, QStringList{u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s,
                                                 u"trace="_s + call, u"-e"_s,
                                                 u"inject=%1:signal=KILL:when=%2"_s.arg(call).arg(
                                                     occurrence),
                                                 QString::fromUtf8(MORVA_SAVE_HELPER)} +
                                         helperArguments(mode, m_folder, m_progressPath, true) +
                                         QStringList{u"2"_s});
                QVERIFY(helper.waitForStarted(10000));
                if (!helper.waitForFinished(30000)) {
                    helper.kill();
                    helper.waitForFinished(10000);
                    problems.append(point + u": the helper hung"_s);
                    continue;
                }
                if (helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0)
                    continue; // the saves never made that call that often
                const SaveProgress progress = ReadSaveProgress(m_progressPath);
                if (progress.started == 0)
                    continue; // killed while loading, before any save
                reached.append(point);
                const qsizetype leftoversBefore = counts.leftovers.size();
                const QString problem = checkFolder(oldFile, true, true, progress, counts);
                if (!problem.isEmpty())
                    problems.append(point + u": "_s + problem);
                if (counts.leftovers.size() > leftoversBefore) {
                    // Whether the next save at least clears it away.
                    WriteFileSafely(schedulePath(), m_fixedSmall);
                    const bool cleared = AllEntriesIn(m_folder) == QStringList{ScheduleName};
                    problems.append(point + u": a temporary file was left: "_s +
                                    counts.leftovers.constLast() +
                                    (cleared ? u" (the next save removed it)"_s
                                             : u" (still there after the next save)"_s));
                }
            }
        }
        qInfo("%d kills at exact points: %s", int(reached.size()),
              qPrintable(reached.join(u", "_s)));
        m_exactKills += int(reached.size());
        if (reached.isEmpty())
            QSKIP("strace cannot inject faults here");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // A save at least writes its bytes, makes them durable and names them.
        QVERIFY2(reached.size() >= 4, qPrintable(reached.join(u", "_s)));
    }

    // A folder that cannot be synced after the rename may lose the new name
    // in a power cut: the save says so instead of reporting success.
    void failedFolderSyncIsReported_data() {
        QTest::addColumn<QString>("mode"); // of the helper
        QTest::newRow("unnamed temporary file") << u"bytes"_s;
        QTest::newRow("named temporary file") << u"named-bytes"_s;
    }

    void failedFolderSyncIsReported() {
        QFETCH(QString, mode);
        const QString strace = QStandardPaths::findExecutable(u"strace"_s);
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        QVERIFY(prepareRun(true));
        QProcess helper;
        // LeakSanitizer cannot run under strace; in a sanitized build it
        // would end the helper with an error of its own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString asan = environment.value(u"ASAN_OPTIONS"_s);
        environment.insert(u"ASAN_OPTIONS"_s,
                           (asan.isEmpty() ? QString() : asan + u':') + u"detect_leaks=0"_s);
        helper.setProcessEnvironment(environment);
        // The first fsync makes the file durable, the second its folder.
        helper.start(
            strace,
            QStringList{u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s, u"trace=fsync"_s, u"-e"_s,
                        u"inject=fsync:error=EIO:when=2"_s, QString::fromUtf8(MORVA_SAVE_HELPER)} +
                helperArguments(mode, m_folder, m_progressPath, true) + QStringList{u"1"_s});
        QVERIFY(helper.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(helper.readAllStandardError());
        if (errors.contains(u"inject"_s))
            QSKIP("strace cannot inject faults here");
        QCOMPARE(helper.exitCode(), 3); // a save failed
        QVERIFY2(errors.contains(u"could not be synced"_s), qPrintable(errors));
    }

    void cleanupTestCase() {
        qInfo("in all %d random kills survived, %d of them in the middle of a save, %d left a "
              "temporary file, %d left a name that start-up cleared; %d kills at exact points; "
              "%lld ms",
              m_total.kills, m_total.midSave, int(m_total.leftovers.size()), m_total.clearedAtStart,
              m_exactKills, m_clock.elapsed());
    }
};

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"

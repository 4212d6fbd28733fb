// A save killed with SIGKILL: at random moments while the helper saves, and
// on entering each file system call a save makes. After every kill the file
// is the old one byte for byte or a complete new one, and nothing else is
// left in the folder.

#include "KilledSaveBytes.h"
#include "SafeFileWrite.h"
#include "TestFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString ScheduleName = u"morva.mvs"_s;
const QByteArray OldBytes = "the file as it was before the helper saved";

// A save takes some 10 ms: random kills within MaxDelayUs of the helper's
// "running" line land in its first saves and between them.
constexpr int RandomKills = 140;
constexpr int MaxDelayUs = 40000;

// The file system calls a save may make; kills on entering them, at their
// first and second use, are the exact points.
const QStringList FileCalls = {u"openat"_s, u"write"_s,     u"fchown"_s,   u"fchmod"_s,
                               u"fsync"_s,  u"fdatasync"_s, u"unlinkat"_s, u"linkat"_s,
                               u"rename"_s, u"renameat"_s,  u"renameat2"_s};

// Reads the helper's counts back after it ended.
SaveProgress ReadSaveProgress(const QString& path) {
    const QByteArray bytes = FileBytes(path);
    SaveProgress progress;
    if (bytes.size() >= qsizetype(sizeof progress))
        std::memcpy(&progress, bytes.constData(), sizeof progress);
    return progress;
}

} // namespace

class TestKilledSave final : public QObject {
    Q_OBJECT

    TestFolder m_folder; // holds the schedule file and nothing else
    // Memory-backed where possible, so the helper's counts never wait for
    // the disk.
    std::optional<QTemporaryDir> m_progressDir;
    QString m_progressPath;
    // Fixed, so a failing run can be repeated kill for kill.
    QRandomGenerator m_delays{20061228};

    QString schedulePath() const { return m_folder.file(ScheduleName); }

    bool prepareRun(bool withOldFile) {
        bool ready = WriteBytes(m_progressPath, QByteArray(SaveProgressFileSize, '\0'));
        for (const QString& entry : FolderEntries(m_folder.path()))
            ready = QFile::remove(m_folder.file(entry)) && ready;
        return ready && (!withOldFile || WriteBytes(schedulePath(), OldBytes));
    }

    QStringList helperCommand(const QString& mode, bool largeFirst, int saves = 0) const {
        QStringList command{QString::fromUtf8(MORVA_SAVE_HELPER), mode, schedulePath(),
                            m_progressPath, largeFirst ? u"large"_s : u"small"_s};
        return saves > 0 ? command << QString::number(saves) : command;
    }

    // Starts the helper for saves saves under strace, which injects into
    // call; false when there is no strace.
    static bool startUnderStrace(QProcess& helper, const QString& call, const QString& injection,
                                 const QStringList& command) {
        const QString strace = QStandardPaths::findExecutable(u"strace"_s);
        if (strace.isEmpty())
            return false;
        // LeakSanitizer cannot run under strace; in a sanitized build it
        // would end the helper with an error of its own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString asan = environment.value(u"ASAN_OPTIONS"_s);
        environment.insert(u"ASAN_OPTIONS"_s,
                           (asan.isEmpty() ? QString() : asan + u':') + u"detect_leaks=0"_s);
        helper.setProcessEnvironment(environment);
        helper.start(strace,
                     QStringList{u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s, u"trace="_s + call,
                                 u"-e"_s, u"inject=%1:%2"_s.arg(call, injection)} +
                         command);
        return true;
    }

    // The file must be what the last finished save left (the old file, or
    // none, when no save finished), or the complete result of the save under
    // way, and nothing may lie beside it. Returns what is wrong.
    QString checkFolder(bool hadOldFile, bool largeFirst, const SaveProgress& progress) {
        const QString where = u"after save %1 began and %2 finished: "_s.arg(progress.started)
                                  .arg(progress.completed);
        if (progress.started < progress.completed || progress.started > progress.completed + 1)
            return where + u"impossible counts"_s;
        // A kill in the instant between naming the new file and moving it
        // over the old one leaves that name; the next start clears it
        // before it reads anything.
        RemoveStaleSavingFiles(m_folder.path(), ScheduleName);
        QStringList others = FolderEntries(m_folder.path());
        const bool exists = others.removeAll(ScheduleName) > 0;
        if (!others.isEmpty())
            return where + u"left beside the file: "_s + others.join(u", "_s);
        const bool hadFileBefore = hadOldFile || progress.completed > 0;
        if (!exists)
            return hadFileBefore ? where + u"the file is gone"_s : QString();
        QByteArrayList allowed;
        if (progress.started > 0)
            allowed.append(BytesOfSave(progress.started, largeFirst));
        allowed.append(progress.completed > 0 ? BytesOfSave(progress.completed, largeFirst)
                                              : OldBytes);
        const QByteArray bytes = FileBytes(schedulePath());
        return allowed.contains(bytes) && (hadFileBefore || bytes != OldBytes)
                   ? QString()
                   : where + u"the file (%1 bytes) is neither the old nor the new one"_s.arg(
                                 bytes.size());
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.dir.isValid());
        if (QFileInfo(u"/dev/shm"_s).isDir())
            m_progressDir.emplace(u"/dev/shm/morva-killedsave-XXXXXX"_s);
        if (!m_progressDir || !m_progressDir->isValid())
            m_progressDir.emplace();
        QVERIFY(m_progressDir->isValid());
        m_progressPath = m_progressDir->filePath(u"progress"_s);
    }

    // Each kind of temporary file, each with the large and the small file first.
    void killedSaveLeavesOldOrNewFile() {
        int midSave = 0;
        for (int kill = 1; kill <= RandomKills; ++kill) {
            const int delayUs = int(m_delays.bounded(MaxDelayUs + 1));
            const bool largeFirst = kill % 2 == 0;
            const QString mode = kill % 4 < 2 ? u"unnamed"_s : u"named"_s;
            QVERIFY(prepareRun(true));
            QProcess helper;
            const QStringList command = helperCommand(mode, largeFirst);
            helper.start(command.first(), command.mid(1));
            QVERIFY2(helper.waitForStarted(10000), qPrintable(helper.errorString()));
            while (!helper.canReadLine() && helper.state() == QProcess::Running)
                helper.waitForReadyRead(10000);
            QVERIFY2(helper.readLine() == HelperRunningLine, helper.readAllStandardError());
            QThread::usleep(ulong(delayUs));
            helper.kill();
            QVERIFY(helper.waitForFinished(10000));
            QVERIFY2(helper.exitStatus() == QProcess::CrashExit, helper.readAllStandardError());

            const SaveProgress progress = ReadSaveProgress(m_progressPath);
            midSave += progress.started > progress.completed ? 1 : 0;
            const QString problem = checkFolder(true, largeFirst, progress);
            QVERIFY2(problem.isEmpty(),
                     qPrintable(u"kill %1 after %2 us: %3"_s.arg(kill).arg(delayUs).arg(problem)));
        }
        // How many land in a save depends on the machine's speed.
        qInfo("%d kills, %d of them in the middle of a save", RandomKills, midSave);
    }

    // Kills at exact moments: strace's fault injection kills the helper on
    // entering a system call, at its first or second use. Every such point
    // the first two saves reach is one more kill at a known step, whatever
    // way the file is replaced.
    void killedOnEnteringEachFileCall_data() {
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<QString>("mode"); // of the helper's temporary file
        for (const char* mode : {"unnamed", "named"}) {
            QTest::addRow("over an old file, %s", mode) << true << QString::fromLatin1(mode);
            QTest::addRow("as a new file, %s", mode) << false << QString::fromLatin1(mode);
        }
    }

    void killedOnEnteringEachFileCall() {
        QFETCH(bool, oldFile);
        QFETCH(QString, mode);
        QStringList reached;
        QStringList problems;
        for (const QString& call : FileCalls) {
            for (int occurrence = 1; occurrence <= 2; ++occurrence) {
                QVERIFY(prepareRun(oldFile));
                const QString point = u"%1 #%2"_s.arg(call).arg(occurrence);
                QProcess helper;
                if (!startUnderStrace(helper, call, u"signal=KILL:when=%1"_s.arg(occurrence),
                                      helperCommand(mode, true, 2)))
                    QSKIP("strace is not installed");
                if (!helper.waitForFinished(30000)) {
                    problems.append(point + u": the helper hung"_s);
                    continue;
                }
                const SaveProgress progress = ReadSaveProgress(m_progressPath);
                // Skipped: the saves never made that call that often, or the
                // kill came while loading, before any save.
                if ((helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0) ||
                    progress.started == 0)
                    continue;
                reached.append(point);
                const QString problem = checkFolder(oldFile, true, progress);
                if (!problem.isEmpty())
                    problems.append(point + u": "_s + problem);
            }
        }
        qInfo("%d kills at exact points: %s", int(reached.size()),
              qPrintable(reached.join(u", "_s)));
        if (reached.isEmpty())
            QSKIP("strace cannot inject faults here");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // A save at least writes its bytes, makes them durable and names them.
        QVERIFY2(reached.size() >= 4, qPrintable(reached.join(u", "_s)));
    }

    // A folder that cannot be synced after the rename may lose the new name
    // in a power cut: the save says so instead of reporting success. Both
    // kinds of temporary file end in the same rename and folder sync.
    void failedFolderSyncIsReported() {
        QVERIFY(prepareRun(true));
        QProcess helper;
        // The first fsync makes the file durable, the second its folder.
        if (!startUnderStrace(helper, u"fsync"_s, u"error=EIO:when=2"_s,
                              helperCommand(u"unnamed"_s, true, 1)))
            QSKIP("strace is not installed");
        QVERIFY(helper.waitForFinished(30000));
        const QString errors = QString::fromLocal8Bit(helper.readAllStandardError());
        if (errors.contains(u"inject"_s))
            QSKIP("strace cannot inject faults here");
        QCOMPARE(helper.exitCode(), 3); // a save failed
        QVERIFY2(errors.contains(u"could not be synced"_s), qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"

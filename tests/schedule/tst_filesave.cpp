#include "TestSupport.h"
#include "schedule/ScheduleReader.h"
#include "schedule/ScheduleWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

ScheduleDocument firstDocument() {
    ScheduleDocument document;
    document.appendBasic(MakeMediaEntry("FIRST", "MP3", 2, 5));
    return document;
}

// Larger than firstDocument(), so a save of it over the first file changes
// the length too.
ScheduleDocument secondDocument() {
    ScheduleDocument document;
    for (int j = 0; j < 20; ++j)
        document.appendBasic(MakeMediaEntry("SECOND", "AVI", quint8(j), 17));
    document.appendAdvance(
        MakeAdvanceEntry(MakePeriod(2006, 5, 1, 2006, 12, 31, 0), {MakeMediaEntry("CLIP", "MPG")}));
    return document;
}

QStringList entriesOf(const QString& path) {
    QStringList entries =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.sort();
    return entries;
}

ScheduleDocument readBack(const QString& path) {
    const DecodeResult result = ReadScheduleFileAt(path);
    return result.ok ? result.document : ScheduleDocument();
}

} // namespace

class TestFileSave final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SeededRandomSource m_random{2024};

    QString folder() const { return m_dir->path() + u'/'; }
    QString path(const QString& name) const { return m_dir->filePath(name); }

    // An earlier save of firstDocument() that a failed save must not touch.
    QByteArray saveExistingFile(const QString& name) {
        if (!WriteScheduleFile(folder(), name, firstDocument(), m_random))
            return {};
        return FileContent(path(name));
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup() { m_dir.reset(); }

    void saveCreatesFileThatReadsBack() {
        QString error;
        QVERIFY2(WriteScheduleFile(folder(), u"new.mvs"_s, secondDocument(), m_random, &error),
                 qPrintable(error));
        QCOMPARE(readBack(path(u"new.mvs"_s)), secondDocument());
        QCOMPARE(entriesOf(m_dir->path()), QStringList{u"new.mvs"_s});
    }

    void saveOverExistingFileReplacesIt() {
        const QByteArray before = saveExistingFile(u"keep.mvs"_s);
        QVERIFY(!before.isEmpty());
        QString error;
        QVERIFY2(WriteScheduleFile(folder(), u"keep.mvs"_s, secondDocument(), m_random, &error),
                 qPrintable(error));
        QCOMPARE(readBack(path(u"keep.mvs"_s)), secondDocument());
        QCOMPARE(entriesOf(m_dir->path()), QStringList{u"keep.mvs"_s});
    }

    void saveOverExistingFileKeepsItsPermissions() {
        QVERIFY(!saveExistingFile(u"shared.mvs"_s).isEmpty());
        const QFileDevice::Permissions mode =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path(u"shared.mvs"_s), mode));
        const QFileDevice::Permissions before = QFileInfo(path(u"shared.mvs"_s)).permissions();

        QString error;
        QVERIFY2(WriteScheduleFile(folder(), u"shared.mvs"_s, secondDocument(), m_random, &error),
                 qPrintable(error));
        QCOMPARE(QFileInfo(path(u"shared.mvs"_s)).permissions(), before);
        QCOMPARE(readBack(path(u"shared.mvs"_s)), secondDocument());
    }

#ifdef Q_OS_UNIX
    void newFileGetsTheUsualPermissions() {
        // Not the owner-only mode of a temporary file: others on the machine
        // (the player's copy tool, a second user) read schedules too.
        const mode_t previous = umask(022);
        QString error;
        const bool saved =
            WriteScheduleFile(folder(), u"fresh.mvs"_s, firstDocument(), m_random, &error);
        umask(previous);
        QVERIFY2(saved, qPrintable(error));
        struct stat status {};
        QCOMPARE(stat(QFile::encodeName(path(u"fresh.mvs"_s)).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0644));
    }
#endif

    void saveToPlaceThatCannotBeWrittenFails_data() {
        QTest::addColumn<QString>("subFolder");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("folder that does not exist") << u"missing/"_s << u"x.mvs"_s;
        QTest::newRow("folder through a regular file") << u"blocker/"_s << u"x.mvs"_s;
        QTest::newRow("name through a regular file") << QString() << u"blocker/x.mvs"_s;
        QTest::newRow("target is a folder") << QString() << u"taken.mvs"_s;
        QTest::newRow("empty name") << QString() << QString();
    }

    void saveToPlaceThatCannotBeWrittenFails() {
        QFETCH(QString, subFolder);
        QFETCH(QString, fileName);
        QVERIFY(WriteFileContent(path(u"blocker"_s), "a regular file"));
        QVERIFY(QDir(m_dir->path()).mkpath(u"taken.mvs/inner"_s));
        const QByteArray existing = saveExistingFile(u"keep.mvs"_s);
        const QStringList entriesBefore = entriesOf(m_dir->path());

        QString error;
        QVERIFY(
            !WriteScheduleFile(folder() + subFolder, fileName, secondDocument(), m_random, &error));
        QVERIFY(!error.isEmpty());

        QCOMPARE(entriesOf(m_dir->path()), entriesBefore);
        QCOMPARE(FileContent(path(u"blocker"_s)), QByteArray("a regular file"));
        QVERIFY(QFileInfo(path(u"taken.mvs"_s)).isDir());
        QCOMPARE(entriesOf(path(u"taken.mvs"_s)), QStringList{u"inner"_s});
        QCOMPARE(FileContent(path(u"keep.mvs"_s)), existing);
    }

    void documentThatCannotBeStoredLeavesExistingFile_data() {
        QTest::addColumn<ScheduleDocument>("document");
        ScheduleDocument highBytes;
        highBytes.appendBasic(MakeMediaEntry(QByteArray(16, '\xFF'), "\xFF\xFF\xFF\xFF"));
        QTest::newRow("bytes no key can store") << highBytes;
        ScheduleDocument tooMany;
        for (int j = 0; j < 256; ++j)
            tooMany.appendBasic(MakeMediaEntry("B", ""));
        QTest::newRow("256 basic entries") << tooMany;
    }

    void documentThatCannotBeStoredLeavesExistingFile() {
        QFETCH(ScheduleDocument, document);
        const QByteArray existing = saveExistingFile(u"keep.mvs"_s);
        QVERIFY(!existing.isEmpty());
        QString error;
        QVERIFY(!WriteScheduleFile(folder(), u"keep.mvs"_s, document, m_random, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(FileContent(path(u"keep.mvs"_s)), existing);
        QVERIFY(!WriteScheduleFile(folder(), u"other.mvs"_s, document, m_random, &error));
        QCOMPARE(entriesOf(m_dir->path()), QStringList{u"keep.mvs"_s});
    }

#ifdef Q_OS_UNIX
    // A disk that fills up while the new bytes are written: a child process
    // saves with a file size limit far below the schedule's size.
    void writeFailureLeavesExistingFile_data() {
        QTest::addColumn<bool>("existing");
        QTest::newRow("over an existing file") << true;
        QTest::newRow("new file") << false;
    }

    void writeFailureLeavesExistingFile() {
        QFETCH(bool, existing);
        const QByteArray before = existing ? saveExistingFile(u"keep.mvs"_s) : QByteArray();
        const QStringList entriesBefore = entriesOf(m_dir->path());
        const QString target = existing ? u"keep.mvs"_s : u"new.mvs"_s;

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            sigaction(SIGXFSZ, &ignore, nullptr);
            const rlimit limit{64, 64};
            setrlimit(RLIMIT_FSIZE, &limit);
            SeededRandomSource random(1);
            QString error;
            const bool saved =
                WriteScheduleFile(folder(), target, secondDocument(), random, &error);
            _exit(saved ? 1 : error.isEmpty() ? 2 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));

        if (existing)
            QCOMPARE(FileContent(path(u"keep.mvs"_s)), before);
        QCOMPARE(entriesOf(m_dir->path()), entriesBefore);
        // 1: the save reported success, 2: it failed without saying why.
        QCOMPARE(WEXITSTATUS(status), 0);
    }
#endif
};

QTEST_GUILESS_MAIN(TestFileSave)
#include "tst_filesave.moc"

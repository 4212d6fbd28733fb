// Where the lock that allows one editor per folder lives, and what may lie
// in its way: leftover lock files never block a start, a place that cannot
// hold a lock is passed over for the next one, and a second start is still
// refused. Every case runs in folders of its own, named through the
// environment as the user's session names them.

#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

const char* const Variables[] = {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "TMPDIR"};

} // namespace

class TestLockPlaces final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const char* name : Variables)
            m_saved.append(qgetenv(name));
        m_tempBase = QDir::tempPath(); // before the cases change TMPDIR
    }

    // Nothing here ever reaches the user's own folders.
    void init() {
        m_root = std::make_unique<QTemporaryDir>(m_tempBase + u"/lockplaces-XXXXXX"_s);
        QVERIFY(m_root->isValid());
        m_runtime = m_root->filePath(u"run"_s);
        m_data = m_root->filePath(u"data"_s);
        m_app = m_root->filePath(u"app/"_s);
        QVERIFY(QDir().mkpath(m_runtime) && QDir().mkpath(m_app));
        // The runtime folder must be the user's alone, or Qt will not use it.
        QVERIFY(QFile::setPermissions(m_runtime,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
        qputenv("TMPDIR", QFile::encodeName(m_root->path()));
    }

    void cleanupTestCase() {
        for (int i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i].isNull())
                qunsetenv(Variables[i]);
            else
                qputenv(Variables[i], m_saved[i]);
        }
    }

    void lockPlaces_data() {
        QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR: ok, unset, a file, open to others
        QTest::addColumn<bool>("dataFolderMade");   // false: its path runs through a file
        QTest::addColumn<QString>("atRuntimeLock"); // what lies at the runtime lock path
        QTest::addColumn<bool>("tmpdirIsFile");
        QTest::addColumn<bool>("secondWithoutRuntime"); // the second start's environment
        QTest::addColumn<QStringList>("held");          // the places the first start locks
        QTest::addColumn<bool>("secondRefused");

        const QStringList both{u"run"_s, u"data"_s};
        const QStringList data{u"data"_s};
        const QString ok = u"ok"_s;
        const QString nothing = u"nothing"_s;
        QTest::newRow("clean") << ok << true << nothing << false << false << both << true;
        QTest::newRow("empty lock file")
            << ok << true << u"empty"_s << false << false << both << true;
        QTest::newRow("garbage lock file")
            << ok << true << u"garbage"_s << false << false << both << true;
        QTest::newRow("lock of a crashed run")
            << ok << true << u"crashed"_s << false << false << both << true;
        QTest::newRow("folder at the lock path")
            << ok << true << u"folder"_s << false << false << data << true;
        QTest::newRow("dangling link at the lock path")
            << ok << true << u"dangling link"_s << false << false << data << true;
        QTest::newRow("no runtime folder")
            << u"unset"_s << true << nothing << false << false << data << true;
        QTest::newRow("runtime folder is a file")
            << u"a file"_s << true << nothing << false << false << data << true;
        QTest::newRow("runtime folder open to others")
            << u"open to others"_s << true << nothing << false << false << data << true;
        QTest::newRow("TMPDIR is a file") << ok << true << nothing << true << false << both << true;
        QTest::newRow("second start without a runtime folder")
            << ok << true << nothing << false << true << both << true;
        QTest::newRow("data folder cannot be made")
            << ok << false << nothing << false << false << QStringList{u"run"_s} << true;
        // Refusing would lock the user out of their work: both start, unlocked.
        QTest::newRow("no place at all")
            << u"unset"_s << false << nothing << false << false << QStringList() << false;
    }

    void lockPlaces() {
        QFETCH(QString, runtime);
        QFETCH(bool, dataFolderMade);
        QFETCH(QString, atRuntimeLock);
        QFETCH(bool, tmpdirIsFile);
        QFETCH(bool, secondWithoutRuntime);
        QFETCH(QStringList, held);
        QFETCH(bool, secondRefused);

        const QString runtimeLock = lockIn(m_runtime);
        const QString dataLock = lockIn(m_data + u"/morva-schedule-generator"_s);
        QVERIFY(putAtLockPath(atRuntimeLock, runtimeLock));
        if (runtime == u"unset"_s)
            qunsetenv("XDG_RUNTIME_DIR");
        if (runtime == u"open to others"_s)
            QVERIFY(QFile::setPermissions(m_runtime, QFile::permissions(m_runtime) |
                                                         QFile::WriteOther | QFile::ExeOther));
        if (runtime == u"a file"_s) {
            QVERIFY(writeFile(m_root->filePath(u"runfile"_s), "x"));
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_root->filePath(u"runfile"_s)));
        }
        if (!dataFolderMade) {
            QVERIFY(writeFile(m_root->filePath(u"datafile"_s), "x"));
            qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath(u"datafile/share"_s)));
        }
        if (tmpdirIsFile) {
            QVERIFY(writeFile(m_root->filePath(u"tmpfile"_s), "x"));
            qputenv("TMPDIR", QFile::encodeName(m_root->filePath(u"tmpfile"_s)));
        }

        auto first = std::make_unique<SingleInstance>(m_app);
        QVERIFY(first->acquire());
        QVERIFY(!first->otherInstanceRunning());
        QStringList expected;
        for (const QString& place : held)
            expected.append(place == u"run"_s ? runtimeLock : dataLock);
        QCOMPARE(first->heldLockPaths(), expected);
        QCOMPARE(first->locked(), !held.isEmpty());

        if (secondWithoutRuntime)
            qunsetenv("XDG_RUNTIME_DIR");
        // The same folder, written without its final separator.
        SingleInstance second(QDir::cleanPath(m_app));
        QCOMPARE(second.acquire(), !secondRefused);
        QCOMPARE(second.otherInstanceRunning(), secondRefused);
        QVERIFY(!secondRefused || second.heldLockPaths().isEmpty());

        // Ending leaves no lock behind and what was in the way as it was.
        first.reset();
        for (const QString& path : expected)
            QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
        if (atRuntimeLock == u"folder"_s)
            QVERIFY(QFileInfo(runtimeLock).isDir());
        if (atRuntimeLock == u"dangling link"_s)
            QVERIFY(QFileInfo(runtimeLock).isSymLink());
    }

    void lockPathsFollowThePlaces() {
        const QStringList paths = SingleInstance::lockPathsFor(m_app);
        QCOMPARE(paths.size(), 2);
        QCOMPARE(QFileInfo(paths[0]).path(), m_runtime);
        QCOMPARE(QFileInfo(paths[1]).path(), m_data + u"/morva-schedule-generator"_s);
        QCOMPARE(QFileInfo(paths[0]).fileName(), QFileInfo(paths[1]).fileName());
        // One name per program folder, however the folder is written.
        QCOMPARE(SingleInstance::lockPathsFor(QDir::cleanPath(m_app)), paths);
        QVERIFY(SingleInstance::lockPathsFor(m_root->filePath(u"other/"_s)) != paths);
    }

private:
    // The lock file of the program folder in the place folder.
    QString lockIn(const QString& folder) const {
        return QDir(folder).filePath(
            QFileInfo(SingleInstance::lockPathsFor(m_app).constFirst()).fileName());
    }

    bool putAtLockPath(const QString& what, const QString& path) const {
        if (what == u"nothing"_s)
            return true;
        if (what == u"empty"_s)
            return writeFile(path, {});
        if (what == u"garbage"_s)
            return writeFile(path, "not a lock\x01\xff\n\n\n");
        // A well-formed lock of a process that no longer runs (no pid is this high).
        if (what == u"crashed"_s)
            return writeFile(path,
                             "999999999\nmorva\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        if (what == u"folder"_s)
            return QDir().mkpath(path);
        if (what == u"dangling link"_s)
            return QFile::link(m_root->filePath(u"nowhere"_s), path);
        return false;
    }

    QList<QByteArray> m_saved;
    QString m_tempBase;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_runtime;
    QString m_data;
    QString m_app;
};

QTEST_GUILESS_MAIN(TestLockPlaces)
#include "tst_lockplaces.moc"

// Where the lock that allows one editor per folder lives, and what may lie
// in its way: leftover lock files never block a start, a place that cannot
// hold a lock is passed over for the next one, and a second start is still
// refused. Every case runs in folders of its own, named through the
// environment as the user's session names them.

#include "SingleInstance.h"
#include "TestFiles.h"

#include <QFileInfo>
#include <QSysInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLockPlaces final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_tempBase = QDir::tempPath(); } // before the cases change TMPDIR

    // Nothing here ever reaches the user's own folders.
    void init() {
        m_root.emplace(m_tempBase + u"/lockplaces-XXXXXX"_s);
        QVERIFY(m_root->isValid());
        m_runtime = m_root->filePath(u"run"_s);
        m_data = m_root->filePath(u"data"_s);
        m_app = m_root->filePath(u"app/"_s);
        QVERIFY(QDir().mkpath(m_runtime) && QDir().mkpath(m_app));
        // The runtime folder must be the user's alone, or Qt will not use it.
        QVERIFY(SetMode(m_runtime, 0700));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data));
        qputenv("TMPDIR", QFile::encodeName(m_root->path()));
    }

    void lockPlaces_data() {
        QTest::addColumn<QString>("setup");    // what lies in the way, or what is missing
        QTest::addColumn<QStringList>("held"); // the places the first start locks
        QTest::addColumn<bool>("secondRefused");
        const QStringList both{u"run"_s, u"data"_s}, data{u"data"_s};
        const auto row = [](const char* setup, const QStringList& held, bool refused = true) {
            QTest::newRow(setup) << QString::fromLatin1(setup) << held << refused;
        };
        row("clean", both);
        row("garbage lock file", both);
        row("lock of a crashed run", both);
        row("dangling link at the lock path", data);
        row("no runtime folder", data);
        row("runtime folder open to others", data);
        row("second start without a runtime folder", both);
        row("data folder cannot be made", {u"run"_s});
        // Refusing would lock the user out of their work: both start, unlocked.
        row("no place at all", {}, false);
    }

    void lockPlaces() {
        QFETCH(QString, setup);
        QFETCH(QStringList, held);
        QFETCH(bool, secondRefused);
        const QString runtimeLock = lockIn(m_runtime);
        const QString dataLock = lockIn(m_data + u"/morva-schedule-generator"_s);
        const QString file = m_root->filePath(u"a file"_s);
        QVERIFY(WriteBytes(file, "x"));
        bool ready = true;
        if (setup == u"garbage lock file")
            ready = WriteBytes(runtimeLock, "not a lock\x01\xff\n\n\n");
        // A well-formed lock of a process that no longer runs (no pid is this high).
        else if (setup == u"lock of a crashed run")
            ready = WriteBytes(runtimeLock,
                               "999999999\nmorva\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        // Not a lock file at all, and not the editor's to remove.
        else if (setup == u"dangling link at the lock path")
            ready = QFile::link(m_root->filePath(u"nowhere"_s), runtimeLock);
        else if (setup == u"runtime folder open to others")
            ready = SetMode(m_runtime, 0777);
        if (setup == u"no runtime folder" || setup == u"no place at all")
            qunsetenv("XDG_RUNTIME_DIR");
        if (setup == u"data folder cannot be made" || setup == u"no place at all")
            qputenv("XDG_DATA_HOME", QFile::encodeName(file + u"/share"_s));
        QVERIFY(ready);

        auto first = std::make_unique<SingleInstance>(m_app);
        QVERIFY(first->acquire());
        QVERIFY(!first->otherInstanceRunning());
        QStringList expected;
        for (const QString& place : held)
            expected.append(place == u"run"_s ? runtimeLock : dataLock);
        QCOMPARE(first->heldLockPaths(), expected);
        QCOMPARE(first->locked(), !held.isEmpty());

        if (setup == u"second start without a runtime folder")
            qunsetenv("XDG_RUNTIME_DIR");
        // The same folder, written without its final separator.
        SingleInstance second(QDir::cleanPath(m_app));
        QCOMPARE(second.acquire(), !secondRefused);
        QCOMPARE(second.otherInstanceRunning(), secondRefused);
        QVERIFY(!secondRefused || second.heldLockPaths().isEmpty());
        // One lock per program folder: another folder's editor starts.
        QVERIFY(SingleInstance(m_root->filePath(u"other/"_s)).acquire());

        // Ending leaves no lock behind and what was in the way as it was.
        first.reset();
        for (const QString& path : expected)
            QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
        QVERIFY(setup != u"dangling link at the lock path" || QFileInfo(runtimeLock).isSymLink());
    }

private:
    // The lock file of the program folder in the place folder.
    QString lockIn(const QString& folder) const {
        return QDir(folder).filePath(
            QFileInfo(SingleInstance::lockPathsFor(m_app).constFirst()).fileName());
    }

    QString m_tempBase;
    std::optional<QTemporaryDir> m_root;
    QString m_runtime;
    QString m_data;
    QString m_app;
};

QTEST_GUILESS_MAIN(TestLockPlaces)
#include "tst_lockplaces.moc"

// A second start hands its file to the running editor through a local socket
// beside the lock: what arrives, where nothing listens, what a crashed run
// left behind, and requests that are not a second start's.

#include "InstanceChannel.h"
#include "TestFiles.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>

using namespace Qt::StringLiterals;

namespace {

// handOver blocks until the editor answers, and the editor answers from the
// event loop: the second start runs on a thread of its own.
bool handOverFromThread(const QStringList& paths, const QString& file) {
    bool handed = false;
    std::unique_ptr<QThread> secondStart(
        QThread::create([&] { handed = InstanceChannel::handOver(paths, file, 5000); }));
    secondStart->start();
    while (!secondStart->wait(10))
        QCoreApplication::processEvents();
    return handed;
}

// A socket file that nobody listens on, as an editor killed while running
// leaves it.
bool LeaveDeadSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo(path).exists();
}

} // namespace

class TestInstanceChannel final : public QObject {
    Q_OBJECT

    std::unique_ptr<TestFolder> m_dir;

private Q_SLOTS:
    void init() { m_dir = std::make_unique<TestFolder>(); }

    void socketBesideTheLock() {
        QCOMPARE(InstanceChannel::socketPathFor(u"/run/user/1/morva-0123.lock"_s),
                 u"/run/user/1/morva-0123.socket"_s);
    }

    void handOver_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("inTheWay"); // at the first socket path: "file", "dead" or ""
        QTest::newRow("a file") << u"/schedules/spring, 2007 \"A\".mvs"_s << QString();
        QTest::newRow("none: the window comes to the front") << QString() << QString();
        QTest::newRow("a crashed run's socket") << u"/s/a.mvs"_s << u"dead"_s;
        QTest::newRow("a file in the socket's place") << u"/s/a.mvs"_s << u"file"_s;
    }
    void handOver() {
        QFETCH(QString, file);
        QFETCH(QString, inTheWay);
        const QStringList paths{m_dir->file(u"first.socket"_s), m_dir->file(u"second.socket"_s)};
        if (inTheWay == u"file")
            QVERIFY(WriteBytes(paths[0], "left over"));
        if (inTheWay == u"dead")
            QVERIFY(LeaveDeadSocket(paths[0]));

        InstanceChannel running;
        QVERIFY(running.listen(paths));
        QCOMPARE(running.listeningPath(), paths[0]);
        QSignalSpy handed(&running, &InstanceChannel::fileHandedOver);
        QVERIFY(handOverFromThread(paths, file));
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][0].toString(), file);
    }

    // Nobody listens: the second start learns it at once and shows its notice.
    void nobodyListens() {
        QVERIFY(WriteBytes(m_dir->file(u"stale.socket"_s), ""));
        QVERIFY(!handOverFromThread({m_dir->file(u"none.socket"_s), m_dir->file(u"stale.socket"_s)},
                                    u"/s/a.mvs"_s));
    }

    // What is not a second start's request opens nothing.
    void foreignRequests_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("not JSON") << QByteArray("open /etc/passwd\n");
        QTest::newRow("no file") << QByteArray("{\"open\": \"/s/a.mvs\"}\n");
        QTest::newRow("endless line") << QByteArray(100 * 1024, 'x');
    }
    void foreignRequests() {
        QFETCH(QByteArray, request);
        InstanceChannel running;
        QVERIFY(running.listen({m_dir->file(u"editor.socket"_s)}));
        QSignalSpy handed(&running, &InstanceChannel::fileHandedOver);
        QLocalSocket client;
        client.connectToServer(running.listeningPath());
        QVERIFY(client.waitForConnected(2000));
        client.write(request);
        QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(client.readAll(), QByteArray());
        QCOMPARE(handed.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"

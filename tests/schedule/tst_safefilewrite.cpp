// The safe writer replaces only what the user meant: the file a link points
// to, never the link; only regular files; only files the user may write; and
// the replaced file keeps its mode, owner and group. Each case runs on every
// kind of temporary file, so the fallbacks keep the same promises.

#include "SafeFileWrite.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TemporaryFilePolicy)

namespace {

constexpr uid_t Nobody = 65534;

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry under root with what it is: a file's bytes, a link's target,
// the kind of anything else. A replaced link or a left temporary file shows.
QMap<QString, QString> snapshot(const QString& root) {
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        QString what;
        if (S_ISLNK(status.st_mode))
            what = u"link to "_s + QFile::symLinkTarget(path).section(u'/', -1);
        else if (S_ISREG(status.st_mode))
            what = u"file "_s + QString::fromLatin1(contentOf(path));
        else
            what = u"kind %1"_s.arg(status.st_mode & S_IFMT, 0, 8);
        entries.insert(QDir(root).relativeFilePath(path), what);
    }
    return entries;
}

bool makeSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        socket >= 0 && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0)
        ::close(socket);
    return bound;
}

// A device node where the user may make one (root), else a link to one.
bool makeDevice(const QString& path) {
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 ||
           QFile::link(u"/dev/null"_s, path);
}

// Runs write in a child that is the unprivileged user nobody; its exit code
// (0 refused with the reason, 1 written, 2 other reason) comes back.
int writeAsNobody(const QString& path, TemporaryFilePolicy policy) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(3);
        const Result<void> written = WriteFileSafely(path, "new", policy);
        if (written)
            ::_exit(1);
        ::_exit(written.error().contains(u"not writable"_s) ? 0 : 2);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

void addPolicyRows(const char* name, const std::function<void(QTestData&)>& rest) {
    const std::pair<const char*, TemporaryFilePolicy> policies[] = {
        {"unnamed", TemporaryFilePolicy::Automatic},
        {"named", TemporaryFilePolicy::NamedOnly},
        {"unnamed without link", TemporaryFilePolicy::UnnamedWithoutLink}};
    for (const auto& [policyName, policy] : policies)
        rest(QTest::addRow("%s, %s", name, policyName) << policy);
}

} // namespace

class TestSafeFileWrite final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup() {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void destinations_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        QTest::addColumn<QString>("setup");   // what is at save.mvs (and around it)
        QTest::addColumn<QString>("written"); // the file that gets the bytes; empty: refused
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const QString& setup, const QString& written,
                            const QString& reason = {}) {
            addPolicyRows(name, [&](QTestData& data) { data << setup << written << reason; });
        };
        row("new file", u"nothing"_s, u"save.mvs"_s);
        row("old file", u"file"_s, u"save.mvs"_s);
        row("relative link", u"link"_s, u"real/target.mvs"_s);
        row("chain of links", u"chain"_s, u"real/target.mvs"_s);
        row("dangling link", u"dangling"_s, u"real/target.mvs"_s);
        row("FIFO", u"fifo"_s, {}, u"not a regular file"_s);
        row("link to a FIFO", u"link to fifo"_s, {}, u"not a regular file"_s);
        row("device", u"device"_s, {}, u"not a regular file"_s);
        row("socket", u"socket"_s, {}, u"not a regular file"_s);
        row("folder", u"folder"_s, {}, u"is a folder"_s);
        row("link to a folder", u"link to folder"_s, {}, u"is a folder"_s);
        row("link loop", u"loop"_s, {}, u"symbolic links"_s);
    }

    void destinations() {
        QFETCH(TemporaryFilePolicy, policy);
        QFETCH(QString, setup);
        QFETCH(QString, written);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_dir.path()).mkpath(u"real"_s));
        const QString save = path(u"save.mvs"_s), target = path(u"real/target.mvs"_s);
        const QByteArray fifo = QFile::encodeName(path(u"real/fifo"_s));
        bool ready = true;
        if (setup == u"file" || setup == u"link" || setup == u"chain")
            ready = writeBytes(setup == u"file" ? save : target, "old");
        if (setup == u"link" || setup == u"dangling")
            ready = ready && QFile::link(u"real/target.mvs"_s, save);
        else if (setup == u"chain")
            ready = QFile::link(u"target.mvs"_s, path(u"real/middle"_s)) &&
                    QFile::link(path(u"real/middle"_s), save) && ready;
        else if (setup == u"fifo" || setup == u"link to fifo")
            ready = ::mkfifo(setup == u"fifo" ? QFile::encodeName(save) : fifo, 0600) == 0 &&
                    (setup == u"fifo" || QFile::link(u"real/fifo"_s, save));
        else if (setup == u"device")
            ready = makeDevice(save);
        else if (setup == u"socket")
            ready = makeSocket(save);
        else if (setup == u"folder")
            ready = QDir().mkdir(save);
        else if (setup == u"link to folder")
            ready = QFile::link(u"real"_s, save);
        else if (setup == u"loop")
            ready = QFile::link(u"save.mvs"_s, save);
        QVERIFY(ready);
        auto expected = snapshot(m_dir.path());
        if (!written.isEmpty())
            expected.insert(written, u"file new"_s);

        const Result<void> result = WriteFileSafely(save, "new", policy);
        QCOMPARE(result.ok(), !written.isEmpty());
        QVERIFY2(result.error().contains(reason), qPrintable(result.error()));
        QCOMPARE(snapshot(m_dir.path()), expected);
    }

    void keepsModeOwnerAndGroup_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        QTest::addColumn<bool>("throughLink");
        addPolicyRows("file", [](QTestData& data) { data << false; });
        addPolicyRows("file behind a link", [](QTestData& data) { data << true; });
    }

    void keepsModeOwnerAndGroup() {
        QFETCH(TemporaryFilePolicy, policy);
        QFETCH(bool, throughLink);
        const QByteArray file = QFile::encodeName(path(u"owned.mvs"_s));
        QVERIFY(writeBytes(path(u"owned.mvs"_s), "old"));
        // Only root may give a file away; everyone else keeps their own.
        const uid_t owner = ::geteuid() == 0 ? Nobody : ::geteuid();
        const gid_t group = ::geteuid() == 0 ? Nobody : ::getegid();
        QCOMPARE(::chown(file.constData(), owner, group), 0);
        QCOMPARE(::chmod(file.constData(), 0640), 0);
        const QString save = throughLink ? path(u"link.mvs"_s) : path(u"owned.mvs"_s);
        QVERIFY(!throughLink || QFile::link(u"owned.mvs"_s, save));

        const Result<void> written = WriteFileSafely(save, "new", policy);
        QVERIFY2(written, qPrintable(written.error()));
        struct stat status {};
        QCOMPARE(::stat(file.constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
        QCOMPARE(contentOf(path(u"owned.mvs"_s)), QByteArray("new"));
    }

    void newFileGetsTheUmasksMode_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        addPolicyRows("new file", [](QTestData&) {});
    }

    void newFileGetsTheUmasksMode() {
        QFETCH(TemporaryFilePolicy, policy);
        const mode_t previous = ::umask(027);
        const bool written = WriteFileSafely(path(u"new.mvs"_s), "new", policy).ok();
        ::umask(previous);
        QVERIFY(written);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(path(u"new.mvs"_s)).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
    }

    void writeProtectedFileIsRefused_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        addPolicyRows("read-only file", [](QTestData&) {});
    }

    // The folder lets the user write; only the file's own mode says no.
    void writeProtectedFileIsRefused() {
        QFETCH(TemporaryFilePolicy, policy);
        const QString folder = path(u"shared"_s), file = folder + u"/locked.mvs"_s;
        QVERIFY(QDir().mkpath(folder) && writeBytes(file, "old"));
        const auto before = snapshot(m_dir.path());
        if (::geteuid() == 0) {
            QCOMPARE(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
            QCOMPARE(::chown(QFile::encodeName(file).constData(), Nobody, Nobody), 0);
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0444), 0);
            QCOMPARE(writeAsNobody(file, policy), 0); // 1: written, 2: another reason
        } else {
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0444), 0);
            const Result<void> written = WriteFileSafely(file, "new", policy);
            QVERIFY(!written);
            QVERIFY2(written.error().contains(u"not writable"_s), qPrintable(written.error()));
        }
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    // Names with pattern characters are matched as they are: the leftover of
    // "[a].mvs" goes, that of "a.mvs" (which "[a]" would match as a pattern)
    // stays, and so does anything of a live writer or not of ours.
    void staleTemporaryFilesAreRemoved() {
        const QString dead = QString::number(deadProcess());
        const QString live = QString::number(::getppid());
        const QStringList leftovers{u".[a].mvs.saving-"_s + dead,
                                    u".[a].mvs.saving-"_s + dead + u"-7"_s};
        const QStringList kept{u".a.mvs.saving-"_s + dead, u".[a].mvs.saving-"_s + live + u"-1"_s,
                               u".[a].mvs.saving-"_s + dead + u"-x"_s,
                               u".[a].mvs.saving-"_s + dead + u".bak"_s,
                               u"[a].mvs.saving-"_s + dead};
        for (const QString& name : leftovers + kept)
            QVERIFY(writeBytes(path(name), "left"));
        auto expected = snapshot(m_dir.path());
        for (const QString& name : leftovers)
            expected.remove(name);
        expected.insert(u"[a].mvs"_s, u"file new"_s);

        QVERIFY(WriteFileSafely(path(u"[a].mvs"_s), "new"));
        QCOMPARE(snapshot(m_dir.path()), expected);
    }
};

QTEST_GUILESS_MAIN(TestSafeFileWrite)
#include "tst_safefilewrite.moc"

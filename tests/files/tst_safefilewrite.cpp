// The safe writer replaces only what the user meant: the file a link points
// to, never the link; only regular files; only files the user may write; and
// the replaced file keeps its mode, owner and group. Each case runs on every
// kind of temporary file, so the fallbacks keep the same promises.

#include "SafeFileWrite.h"
#include "TestFiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TemporaryFilePolicy)

namespace {

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

    std::optional<TestFolder> m_dir;
    QString path(const QString& name) const { return m_dir->file(name); }

private Q_SLOTS:
    void init() { QVERIFY(m_dir.emplace().dir.isValid()); }

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
        row("chain of links", u"chain"_s, u"real/target.mvs"_s);
        row("dangling link", u"dangling"_s, u"real/target.mvs"_s);
        row("FIFO", u"fifo"_s, {}, u"not a regular file"_s);
        row("folder", u"folder"_s, {}, u"is a folder"_s);
        row("link to a folder", u"link to folder"_s, {}, u"is a folder"_s);
        row("link loop", u"loop"_s, {}, u"symbolic links"_s);
    }

    void destinations() {
        QFETCH(TemporaryFilePolicy, policy);
        QFETCH(QString, setup);
        QFETCH(QString, written);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_dir->path()).mkpath(u"real"_s));
        const QString save = path(u"save.mvs"_s), target = path(u"real/target.mvs"_s);
        bool ready = true;
        if (setup == u"file" || setup == u"chain")
            ready = WriteBytes(setup == u"file" ? save : target, "old");
        if (setup == u"dangling") // relative to the link's folder
            ready = QFile::link(u"real/target.mvs"_s, save);
        else if (setup == u"chain") // a relative link behind an absolute one
            ready = QFile::link(u"target.mvs"_s, path(u"real/middle"_s)) &&
                    QFile::link(path(u"real/middle"_s), save) && ready;
        else if (setup == u"fifo")
            ready = MakeFifo(save);
        else if (setup == u"folder")
            ready = QDir().mkdir(save);
        else if (setup == u"link to folder")
            ready = QFile::link(u"real"_s, save);
        else if (setup == u"loop")
            ready = QFile::link(u"save.mvs"_s, save);
        QVERIFY(ready);
        auto expected = FolderSnapshot(m_dir->path());
        if (!written.isEmpty())
            expected.insert(written, u"new"_s);

        const Result<void> saved = WriteFileSafely(save, "new", policy);
        QCOMPARE(saved.ok(), !written.isEmpty());
        QVERIFY2(saved.error().contains(reason), qPrintable(saved.error()));
        QCOMPARE(FolderSnapshot(m_dir->path()), expected);
    }

    // A replaced file keeps its mode, owner and group, through a link too; a
    // new one gets the mode the umask leaves.
    void modeOwnerAndGroup_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        QTest::addColumn<QString>("saved"); // the name saved to; the file is owned.mvs
        QTest::addColumn<bool>("existed");
        addPolicyRows("old file", [](QTestData& data) { data << u"owned.mvs"_s << true; });
        addPolicyRows("old file behind a link",
                      [](QTestData& data) { data << u"link.mvs"_s << true; });
        addPolicyRows("new file", [](QTestData& data) { data << u"owned.mvs"_s << false; });
    }

    void modeOwnerAndGroup() {
        QFETCH(TemporaryFilePolicy, policy);
        QFETCH(QString, saved);
        QFETCH(bool, existed);
        const QByteArray file = QFile::encodeName(path(u"owned.mvs"_s));
        // Only root may give a file away; everyone else keeps their own.
        const bool root = ::geteuid() == 0;
        const uid_t owner = existed && root ? Nobody : ::geteuid();
        const gid_t group = existed && root ? Nobody : ::getegid();
        if (existed) {
            QVERIFY(WriteBytes(path(u"owned.mvs"_s), "old"));
            QCOMPARE(::chown(file.constData(), owner, group), 0);
            QVERIFY(SetMode(path(u"owned.mvs"_s), 0640));
        }
        QVERIFY(saved == u"owned.mvs" || QFile::link(u"owned.mvs"_s, path(saved)));

        const mode_t previous = ::umask(027);
        const Result<void> written = WriteFileSafely(path(saved), "new", policy);
        ::umask(previous);
        QVERIFY2(written.ok(), qPrintable(written.error()));
        struct stat status {};
        QCOMPARE(::stat(file.constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
        QCOMPARE(FileBytes(path(u"owned.mvs"_s)), "new");
    }

    void writeProtectedFileIsRefused_data() {
        QTest::addColumn<TemporaryFilePolicy>("policy");
        addPolicyRows("read-only file", [](QTestData&) {});
    }

    // The folder lets the user write; only the file's own mode says no. Root
    // writes as nobody, to whom the file belongs.
    void writeProtectedFileIsRefused() {
        QFETCH(TemporaryFilePolicy, policy);
        const QString folder = path(u"shared"_s), file = folder + u"/locked.mvs"_s;
        QVERIFY(QDir().mkpath(folder) && WriteBytes(file, "old"));
        const auto before = FolderSnapshot(m_dir->path());
        QVERIFY(SetMode(m_dir->dir.path(), 0755) && SetMode(folder, 0777) && SetMode(file, 0444));
        if (::geteuid() == 0)
            QCOMPARE(::chown(QFile::encodeName(file).constData(), Nobody, Nobody), 0);
        // 0: refused as not writable, 1: written, 2: refused for another reason.
        QCOMPARE(ExitCodeInChild([&] {
                     if (!BecomeOrdinaryUser())
                         return NoOrdinaryUser;
                     const Result<void> written = WriteFileSafely(file, "new", policy);
                     if (written)
                         return 1;
                     return written.error().contains(u"not writable"_s) ? 0 : 2;
                 }),
                 0);
        QCOMPARE(FolderSnapshot(m_dir->path()), before);
    }

    // Names with pattern characters are matched as they are: the leftover of
    // "[a].mvs" goes, that of "a.mvs" (which "[a]" would match as a pattern)
    // stays, and so does anything of a live writer or not of ours.
    void staleTemporaryFilesAreRemoved() {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0); // its number now names no process
        const QString dead = QString::number(child);
        const QString live = QString::number(::getppid());
        const QStringList leftovers{u".[a].mvs.saving-"_s + dead,
                                    u".[a].mvs.saving-"_s + dead + u"-7"_s};
        const QStringList kept{u".a.mvs.saving-"_s + dead, u".[a].mvs.saving-"_s + live + u"-1"_s,
                               u".[a].mvs.saving-"_s + dead + u"-x"_s,
                               u".[a].mvs.saving-"_s + dead + u".bak"_s,
                               u"[a].mvs.saving-"_s + dead};
        for (const QString& name : leftovers + kept)
            QVERIFY(WriteBytes(path(name), "left"));
        auto expected = FolderSnapshot(m_dir->path());
        for (const QString& name : leftovers)
            expected.remove(name);
        expected.insert(u"[a].mvs"_s, u"new"_s);

        QVERIFY(WriteFileSafely(path(u"[a].mvs"_s), "new"));
        QCOMPARE(FolderSnapshot(m_dir->path()), expected);
    }
};

QTEST_GUILESS_MAIN(TestSafeFileWrite)
#include "tst_safefilewrite.moc"

// The media copy: a copy is made whole under its own name or not at all, and a
// failed one changes nothing in any folder. Then the copy window, with scripted
// dialogs and an injected drive list in which a folder of the test plays a
// second drive and a missing path an empty drive.

#include "ScriptedDialogs.h"
#include "CopyForm.h"
#include "FileCopy.h"
#include "SystemInfoFile.h"
#include "CurrentTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDirIterator>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using FileMap = QMap<QString, QByteArray>;

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file and folder under root, hidden ones included, with its bytes: a
// changed byte and a left-over temporary file both show up.
FileMap Snapshot(const QString& root) {
    FileMap entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next()); // a folder does not open
        entries.insert(QDir(root).relativeFilePath(file.fileName()),
                       file.open(QIODevice::ReadOnly) ? file.readAll() : "<folder>");
    }
    return entries;
}

constexpr qint64 ClipSize = (1 << 20) + 5000; // two chunks

// Copies in a child process whose files cannot grow past limit bytes (0: no
// limit): a full disk that holds for root too. Exit code 0: copied, 1: refused.
int CopyInChild(const QString& source, const QString& name, const QString& target, qint64 limit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit > 0 ? rlim_t(limit) : RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        _exit(CopyFileToFolder(source, name, target) ? 0 : 1);
    }
    int status = 0;
    const bool ended = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
    return ended ? WEXITSTATUS(status) : -1;
}

const QString FileName = u"Clip.mp3"_s; // as the media editor shows it

// For the window: a program folder, a media folder with the file to copy, a
// target folder named like it but longer, a second drive and a listed drive
// that is not there.
struct Setup {
    QTemporaryDir dir;
    QString base = dir.path() + u'/', appFolder = base + u"app/"_s, media = base + u"media/"_s;
    QString driveB = base + u"driveB"_s, folderB = driveB + u"/Player, Spring 2007/"_s;
    QString unplugged = base + u"unplugged"_s, target = base + u"media2/"_s;
    AppContext context = SetupAppPaths(appFolder);
    ScriptedDialogs dialogs;

    Setup() {
        for (const QString& folder : {appFolder, media, target, folderB})
            QDir().mkpath(folder);
        WriteBytes(media + FileName, "the media file");
        context.mediaFolder = media;
    }
    std::unique_ptr<CopyForm> open() {
        const QStringList drives{DriveOfFolder(appFolder), driveB, unplugged};
        auto form = std::make_unique<CopyForm>(dialogs, context, [drives] { return drives; });
        form->setFileName(FileName);
        form->Form_Load();
        return form;
    }
    // What the window shows and what the context remembers for the next time.
    QStringList choice(const CopyForm& form) const {
        return {form.shownDrive(), form.shownFolder(), context.copyTargetDrive,
                context.copyTargetFolder};
    }
};

} // namespace

class TestFileCopy final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SelectTextTable(EnglishLanguageSelector); }

    // Runs before any window exists: the copies below run in forked children.
    void copy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target"); // relative to the base folder
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("copied");
        const QString clip = u"Clip.Mp3"_s;
        QTest::newRow("new, letter case kept") << clip << u"empty"_s << 0LL << true;
        QTest::newRow("empty file") << u"silence.mp3"_s << u"empty/"_s << 0LL << true;
        QTest::newRow("replaces, exactly room enough") << clip << u"old/"_s << ClipSize << true;
        QTest::newRow("disk full, old file kept") << clip << u"old/"_s << ClipSize - 1 << false;
        QTest::newRow("disk full, nothing created") << clip << u"empty/"_s << 1LL << false;
        QTest::newRow("source gone, old file kept") << u"Gone.mp3"_s << u"old/"_s << 0LL << false;
        QTest::newRow("target folder missing") << clip << u"nowhere/"_s << 0LL << false;
        QTest::newRow("a folder in the file's place") << clip << u"blocked/"_s << 0LL << false;
    }

    // A copy either lands whole under its own name or changes nothing at all:
    // an old file keeps its bytes and no partial or temporary file is left.
    void copy() {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QFETCH(bool, copied);
        QTemporaryDir dir;
        const QString base = dir.path() + u'/', source = base + u"source/"_s;
        // Period 13: a chunk written twice or lost changes the bytes.
        const QByteArray content =
            QByteArray("0123456789abc").repeated(ClipSize / 13 + 1).left(ClipSize);
        for (const QString& folder : {u"source"_s, u"empty"_s, u"old"_s, u"blocked/Clip.Mp3"_s})
            QVERIFY(QDir().mkpath(base + folder));
        for (const QString& file : {u"old/Clip.Mp3"_s, u"old/Gone.mp3"_s,
                                    u"blocked/Clip.Mp3/inside"_s, u"source/silence.mp3"_s})
            QVERIFY(WriteBytes(base + file, file.startsWith(u"source") ? "" : "old bytes"));
        QVERIFY(WriteBytes(source + u"Clip.Mp3"_s, content));
        FileMap expected = Snapshot(base);
        if (copied)
            expected.insert(QDir::cleanPath(target) + u'/' + name, expected[u"source/"_s + name]);

        QCOMPARE(CopyInChild(source, name, base + target, limit), copied ? 0 : 1);
        QCOMPARE(Snapshot(base), expected);
    }

    // Only a regular file is read, and only as it was when the copy began:
    // nothing hangs or runs without end, and a copy of a file that changed
    // while it was read never replaces the old target file.
    void unsafeSource_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO without a writer") << u"fifo"_s << u"not a regular file"_s;
        QTest::newRow("link to an endless device") << u"zero"_s << u"not a regular file"_s;
        QTest::newRow("grows while copied") << u"grows"_s << u"changed"_s;
        QTest::newRow("cut short while copied") << u"shrinks"_s << u"changed"_s;
        QTest::newRow("rewritten in place while copied") << u"touched"_s << u"changed"_s;
    }

    void unsafeSource() {
        QFETCH(QString, source);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString base = dir.path() + u'/', media = base + u"media/"_s;
        const QString target = base + u"target/"_s, path = media + FileName;
        QVERIFY(QDir().mkpath(media) && QDir().mkpath(target));
        QVERIFY(WriteBytes(target + FileName, "old bytes"));
        if (source == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (source == u"zero")
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        else
            QVERIFY(WriteBytes(path, QByteArray(ClipSize, 'a')));
        const FileMap before = Snapshot(target);
        // Runs after the first chunk: the file changes under the copy.
        const auto change = [&] {
            QFile file(path);
            if (source == u"grows" && file.open(QIODevice::Append))
                file.write("more");
            else if (source == u"shrinks")
                file.resize(10);
            else if (source == u"touched")
                file.open(QIODevice::ReadWrite) && file.write("b") &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime);
        };
        QString error;
        QVERIFY(!CopyFileToFolder(media, FileName, target, &error, change));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(Snapshot(target), before);
    }

    // A target reached through a link: the file it points to gets the copy.
    void linkedTargetStaysALink() {
        QTemporaryDir dir;
        const QString base = dir.path() + u'/';
        QVERIFY(QDir().mkpath(base + u"media"_s) && QDir().mkpath(base + u"player"_s) &&
                QDir().mkpath(base + u"target"_s));
        QVERIFY(WriteBytes(base + u"media/"_s + FileName, "new clip"));
        QVERIFY(WriteBytes(base + u"player/clip.bin"_s, "old clip"));
        QVERIFY(QFile::link(u"../player/clip.bin"_s, base + u"target/"_s + FileName));
        QString error;
        QVERIFY2(CopyFileToFolder(base + u"media/"_s, FileName, base + u"target"_s, &error),
                 qPrintable(error));
        QCOMPARE(QFileInfo(base + u"target/"_s + FileName).symLinkTarget(),
                 base + u"player/clip.bin"_s);
        QCOMPARE(Snapshot(base + u"player"_s).value(u"clip.bin"_s), QByteArray("new clip"));
    }

    // ---- the copy window ---------------------------------------------------

    void copyWindow_data() {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("copied");
        const QString copied = u"File Copied"_s, failed = u"File Copy Error!"_s;
        QTest::newRow("new file") << QStringList{copied} << true;
        QTest::newRow("source vanished") << QStringList{failed} << false;
        QTest::newRow("overwrite declined") << QStringList() << false;
        QTest::newRow("overwrite accepted") << QStringList{copied} << true;
        QTest::newRow("same folder through a link") << QStringList{failed} << false;
        QTest::newRow("other folder, name in other case") << QStringList() << false;
    }

    void copyWindow() {
        QFETCH(QStringList, messages);
        QFETCH(bool, copied);
        const QString situation = QString::fromLatin1(QTest::currentDataTag());
        Setup setup;
        if (situation.startsWith(u"overwrite")) {
            QVERIFY(WriteBytes(setup.target + FileName, "old bytes"));
            setup.dialogs.answerOkCancel(situation == u"overwrite accepted");
        }
        if (situation == u"source vanished")
            QVERIFY(QFile::remove(setup.media + FileName));
        const bool sameFolder = situation == u"same folder through a link";
        if (sameFolder) { // the file was picked through a link to the media folder
            QVERIFY(QFile::link(setup.media, setup.base + u"link"_s));
            setup.context.mediaFolder = setup.base + u"link/"_s;
        }
        QString target = setup.target;
        if (situation == u"other folder, name in other case") {
            target = setup.base + u"MEDIA/"_s;
            QVERIFY(QDir().mkpath(target) && WriteBytes(target + FileName, "old bytes"));
            setup.dialogs.answerOkCancel(false);
        }
        auto form = setup.open();
        form->showFolder(sameFolder ? setup.media : target);
        FileMap expected = Snapshot(setup.base);
        if (copied)
            expected.insert(u"media2/"_s + FileName, "the media file");

        form->CopyCmd_Click();
        QCOMPARE(setup.dialogs.messages(), messages);
        // Only an existing target in another folder brings the question (an
        // unscripted one is unexpected): "media2" is not the media folder.
        QVERIFY(setup.dialogs.allAnswersUsed() && !setup.dialogs.hadUnexpectedCall());
        QCOMPARE(Snapshot(setup.base), expected);
        // Whatever the outcome, the window takes input again.
        QVERIFY(form->findChild<QPushButton*>(u"CopyCmd"_s)->isEnabled() &&
                !qApp->overrideCursor());
    }

    // Folders are the same when the file system says so: one folder reached
    // through a link is the same, names in other letter case are not.
    void sameFolder_data() {
        QTest::addColumn<QString>("first"); // relative to the base folder
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("one path") << u"media/"_s << u"media/"_s << true;
        QTest::newRow("no final separator") << u"media"_s << u"media/"_s << true;
        QTest::newRow("dot segments") << u"media/../media/./"_s << u"media/"_s << true;
        QTest::newRow("through a link") << u"link/"_s << u"media/"_s << true;
        QTest::newRow("link to the parent") << u"up/media/"_s << u"media/"_s << true;
        QTest::newRow("other letter case") << u"MEDIA/"_s << u"media/"_s << false;
        QTest::newRow("neighbour") << u"media2/"_s << u"media/"_s << false;
        QTest::newRow("a file, not a folder") << u"media/Clip.mp3"_s << u"media/"_s << false;
        QTest::newRow("missing, same path") << u"gone/"_s << u"gone"_s << true;
        QTest::newRow("missing and existing") << u"gone/"_s << u"media/"_s << false;
    }

    void sameFolder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        QTemporaryDir dir;
        const QString base = dir.path() + u'/';
        for (const QString& folder : {u"media"_s, u"MEDIA"_s, u"media2"_s})
            QVERIFY(QDir().mkpath(base + folder));
        QVERIFY(WriteBytes(base + u"media/Clip.mp3"_s, "clip"));
        QVERIFY(QFile::link(base + u"media"_s, base + u"link"_s));
        QVERIFY(QFile::link(base, base + u"up"_s));
        QCOMPARE(IsSameFolder(base + first, base + second), same);
        QCOMPARE(IsSameFolder(base + second, base + first), same);
    }

    // An unreadable drive brings back the drive and folder picked before, and
    // these are shown again after a restart that reads SystemInfo.txt.
    void choiceIsKept() {
        Setup setup;
        const QStringList chosen{setup.driveB, setup.folderB, setup.driveB, setup.folderB};
        {
            auto form = setup.open();
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            // The drives are listed in the order given: the program's, B, unplugged.
            auto* drives = form->findChild<QComboBox*>(u"CopyDrive"_s);
            QTest::keyClick(drives, Qt::Key_Down);
            // The folders of drive B are listed in the background; click the
            // chosen one once it shows.
            auto* tree = form->findChild<QTreeView*>(u"CopyDir"_s);
            const auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
            const auto folderRow = [&] {
                return tree->visualRect(folders->index(setup.folderB.chopped(1)));
            };
            QTRY_VERIFY(folderRow().isValid());
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, folderRow().center());
            QTest::keyClick(drives, Qt::Key_Down);
            QCOMPARE(setup.dialogs.messages(),
                     QStringList{u"Device["_s + setup.unplugged + u"] Error!"_s});
            QCOMPARE(setup.choice(*form), chosen);
        }
        QVERIFY(WriteSystemInfo(setup.context));
        setup.context = SetupAppPaths(setup.appFolder);
        QCOMPARE(ReadSystemInfo(setup.context), SystemInfoStatus::Read);
        QCOMPARE(setup.choice(*setup.open()), chosen);
    }

    void unusableChoiceFallsBackToProgramFolder_data() {
        QTest::addColumn<QString>("drive"); // relative to the base folder
        QTest::addColumn<QString>("folder");
        QTest::newRow("drive not listed") << u"media2"_s << u"media2/"_s;
        QTest::newRow("folder gone") << u"driveB"_s << u"driveB/gone/"_s;
        QTest::newRow("folder not on the drive") << u"driveB"_s << u"media2/"_s;
    }

    void unusableChoiceFallsBackToProgramFolder() {
        QFETCH(QString, drive);
        QFETCH(QString, folder);
        Setup setup;
        setup.context.copyTargetDrive = setup.base + drive;
        setup.context.copyTargetFolder = setup.base + folder;
        const QStringList program{DriveOfFolder(setup.appFolder), setup.appFolder};
        QCOMPARE(setup.choice(*setup.open()), program + program);
        QVERIFY(setup.dialogs.calls().isEmpty());
    }
};

QTEST_MAIN(TestFileCopy)
#include "tst_filecopy.moc"

// The media copy: a copy is made whole under its own name or not at all, and a
// failed one changes nothing in any folder. Then the copy window, with scripted
// dialogs and an injected drive list in which a folder of the test plays a
// second drive and a missing path an empty drive.

#include "CopyForm.h"
#include "CurrentTexts.h"
#include "FileCopy.h"
#include "ScriptedDialogs.h"
#include "SystemInfoFile.h"
#include "TestFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ClipSize = (1 << 20) + 5000; // two chunks

const QString FileName = u"Clip.mp3"_s; // as the media editor shows it

// For the window: a program folder, a media folder with the file to copy, a
// target folder named like it but longer, a second drive and a listed drive
// that is not there.
struct Setup {
    TestFolder dir;
    QString base = dir.path(), appFolder = base + u"app/"_s, media = base + u"media/"_s;
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
    void init() { SelectTextTable(EnglishLanguageSelector); }

    // A copy either lands whole under its own name or changes nothing at all:
    // an old file keeps its bytes and no partial or temporary file is left.
    // Only a regular file is read, and only as it was when the copy began:
    // nothing hangs or runs without end. Each copy runs in a forked child
    // (before any window exists), where a file size limit fills the disk.
    void copy_data() {
        QTest::addColumn<QString>("name");    // in the source folder
        QTest::addColumn<QString>("target");  // under the target root
        QTest::addColumn<qint64>("limit");    // the disk is full after it; 0: no limit
        QTest::addColumn<QString>("change");  // what happens to the source after each chunk
        QTest::addColumn<QString>("landsIn"); // the file that gets the bytes; empty: refused
        QTest::addColumn<QString>("reason");
        const QString clip = u"Clip.Mp3"_s, old = u"old/"_s, none;
        const auto row = [&](const char* tag, const QString& name, const QString& target,
                             qint64 limit, const QString& change, const QString& landsIn,
                             const QString& reason) {
            QTest::newRow(tag) << name << target << limit << change << landsIn << reason;
        };
        row("new, letter case kept", clip, u"empty"_s, 0, none, u"empty/Clip.Mp3"_s, none);
        row("empty file", u"silence.mp3"_s, u"empty/"_s, 0, none, u"empty/silence.mp3"_s, none);
        row("replaces, exactly room enough", clip, old, ClipSize, none, u"old/Clip.Mp3"_s, none);
        row("a link in its place: the file it points to", clip, u"linked/"_s, 0, none,
            u"player/clip.bin"_s, none);
        row("disk full, old file kept", clip, old, ClipSize - 1, none, none, u"File too large"_s);
        row("source gone, old file kept", u"Gone.mp3"_s, old, 0, none, none, u"No such file"_s);
        row("target folder missing", clip, u"nowhere/"_s, 0, none, none, u"No such file"_s);
        row("a folder in the file's place", clip, u"blocked/"_s, 0, none, none, u"is a folder"_s);
        row("FIFO without a writer", u"fifo.mp3"_s, old, 0, none, none, u"not a regular file"_s);
        row("grows while copied", clip, old, 0, u"grows"_s, none, u"changed"_s);
        row("rewritten in place while copied", clip, old, 0, u"touched"_s, none, u"changed"_s);
    }

    void copy() {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QFETCH(QString, change);
        QFETCH(QString, landsIn);
        QFETCH(QString, reason);
        TestFolder dir;
        const QString source = dir.file(u"source/"_s), root = dir.file(u"targets/"_s);
        for (const QString& folder :
             {source, root + u"empty"_s, root + u"old"_s, root + u"blocked/Clip.Mp3"_s,
              root + u"player"_s, root + u"linked"_s})
            QVERIFY(QDir().mkpath(folder));
        // Period 13: a chunk written twice or lost changes the bytes.
        QVERIFY(WriteBytes(source + u"Clip.Mp3"_s,
                           QByteArray("0123456789abc").repeated(ClipSize / 13 + 1).left(ClipSize)));
        QVERIFY(WriteBytes(source + u"silence.mp3"_s, ""));
        QVERIFY(MakeFifo(source + u"fifo.mp3"_s));
        for (const QString& file : {u"Clip.Mp3"_s, u"Gone.mp3"_s, u"fifo.mp3"_s})
            QVERIFY(WriteBytes(root + u"old/"_s + file, "old bytes"));
        QVERIFY(WriteBytes(root + u"blocked/Clip.Mp3/inside"_s, "old bytes"));
        QVERIFY(WriteBytes(root + u"player/clip.bin"_s, "old bytes"));
        QVERIFY(QFile::link(u"../player/clip.bin"_s, root + u"linked/Clip.Mp3"_s));
        auto expected = FolderSnapshot(root);
        if (!landsIn.isEmpty())
            expected.insert(landsIn, QString::fromLatin1(FileBytes(source + name)));
        const auto changeSource = [&] {
            QFile file(source + name);
            if (change == u"grows" && file.open(QIODevice::Append))
                file.write("more");
            else if (change == u"touched")
                file.open(QIODevice::ReadWrite) && file.write("b") &&
                    file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime);
        };

        // 0: copied, 1: refused for the reason, 2: refused for another one.
        QCOMPARE(ExitCodeInChild([&] {
                     if (limit > 0)
                         FillDiskAfter(rlim_t(limit));
                     const Result<void> copied =
                         CopyFileToFolder(source, name, root + target, changeSource);
                     if (copied)
                         return 0;
                     if (copied.error().contains(reason))
                         return 1;
                     qWarning("%s", qPrintable(copied.error()));
                     return 2;
                 }),
                 landsIn.isEmpty() ? 1 : 0);
        QCOMPARE(FolderSnapshot(root), expected);
    }

    // ---- the copy window ---------------------------------------------------

    void copyWindow_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("copied");
        const QString copied = u"File Copied"_s, failed = u"File Copy Error!"_s;
        for (const auto& [situation, messages, done] :
             {std::tuple{"new file", QStringList{copied}, true},
              {"source vanished", QStringList{failed}, false},
              {"overwrite declined", QStringList(), false},
              {"overwrite accepted", QStringList{copied}, true},
              {"same folder through a link", QStringList{failed}, false}})
            QTest::newRow(situation) << QString::fromLatin1(situation) << messages << done;
    }

    void copyWindow() {
        QFETCH(QString, situation);
        QFETCH(QStringList, messages);
        QFETCH(bool, copied);
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
        auto form = setup.open();
        form->showFolder(sameFolder ? setup.media : setup.target);
        QMap<QString, QString> expected = FolderSnapshot(setup.base);
        if (copied)
            expected.insert(u"media2/"_s + FileName, u"the media file"_s);

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* copyButton = form->findChild<QPushButton*>(u"CopyCmd"_s);
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(setup.dialogs.messages(), messages);
        // Only an existing target in another folder brings the question (an
        // unscripted one is unexpected): "media2" is not the media folder.
        QVERIFY(setup.dialogs.allAnswersUsed() && !setup.dialogs.hadUnexpectedCall());
        QCOMPARE(FolderSnapshot(setup.base), expected);
        // Whatever the outcome, the window takes input again.
        QVERIFY(copyButton->isEnabled() && !qApp->overrideCursor());
    }

    // Folders are the same when the file system says so: one folder reached
    // through a link is the same, names in other letter case are not.
    void sameFolder_data() {
        QTest::addColumn<QString>("first"); // relative to the base folder
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");
        QTest::newRow("through a link, no final separator") << u"link"_s << u"media/"_s << true;
        QTest::newRow("other letter case") << u"MEDIA/"_s << u"media/"_s << false;
        QTest::newRow("neighbour") << u"media2/"_s << u"media/"_s << false;
        QTest::newRow("missing, same path") << u"gone/"_s << u"gone"_s << true;
        QTest::newRow("missing and existing") << u"gone/"_s << u"media/"_s << false;
    }

    void sameFolder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        TestFolder dir;
        const QString base = dir.path();
        for (const QString& folder : {u"media"_s, u"MEDIA"_s, u"media2"_s})
            QVERIFY(QDir().mkpath(base + folder));
        QVERIFY(QFile::link(base + u"media"_s, base + u"link"_s));
        QCOMPARE(IsSameFolder(base + first, base + second), same);
        QCOMPARE(IsSameFolder(base + second, base + first), same);
    }

    // An unreadable drive brings back the drive and folder picked before, and
    // the window opens on them the next time (SystemInfo.txt keeps them; its
    // own tests show that).
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
        QCOMPARE(setup.choice(*setup.open()), chosen);
    }

    // The caption, the buttons and the drive error come from the table in use.
    void windowTexts_data() {
        QTest::addColumn<quint16>("selector");
        QTest::addColumn<QStringList>("texts");  // caption, Copy, Exit
        QTest::addColumn<QString>("driveError"); // "%1" is the drive
        QTest::newRow("English") << EnglishLanguageSelector
                                 << QStringList{u"Copy to ..."_s, u"Copy"_s, u"Exit"_s}
                                 << u"Device[%1] Error!"_s;
        QTest::newRow("Japanese") << SecondLanguageSelector
                                  << QStringList{u"コピー先の選択"_s, u"コピー"_s, u"終了"_s}
                                  << u"ドライブ %1 を読み取れません。"_s;
    }

    void windowTexts() {
        QFETCH(quint16, selector);
        QFETCH(QStringList, texts);
        QFETCH(QString, driveError);
        SelectTextTable(selector);
        Setup setup;
        auto form = setup.open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(
            (QStringList{form->windowTitle(), form->findChild<QPushButton*>(u"CopyCmd"_s)->text(),
                         form->findChild<QPushButton*>(u"CancelCmd"_s)->text()}),
            texts);
        QTest::keyClick(form->findChild<QComboBox*>(u"CopyDrive"_s), Qt::Key_End); // unplugged
        QCOMPARE(setup.dialogs.messages(), QStringList{driveError.arg(setup.unplugged)});
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

// What the window shows after a damaged SystemInfo.txt: it starts, says so,
// opens what it still can, works, and after Exit the file is complete again;
// a file it cannot read is named in the message and left as it is. Which
// values a damaged file still gives is tested with the file itself.

#include "CurrentTexts.h"
#include "MainFormTestSupport.h"
#include "ScriptedDialogs.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = ScriptedDialogs::Kind;

namespace {

// Placeholders in the table, replaced by the folders of each run.
constexpr char AppFolder[] = "%APP%";
constexpr char OtherFolder[] = "%OTHER%";

QByteArray line(const QByteArray& value) {
    return '"' + value + "\"\r\n";
}

// Every value, the remembered schedule being %OTHER%SPRING.mvs.
QByteArray completeFile(const QByteArray& scheduleFolder = OtherFolder) {
    return line(OtherFolder) + line(OtherFolder) + line(scheduleFolder) + line("SPRING.mvs") +
           line(OtherFolder) + "\"/\"," + line(OtherFolder) + line("1");
}

} // namespace

class TestDamagedSystemInfo final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { LoadEnglishTexts(); }

    void editorStartsAndRepairsTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");         // a part of the one shown; empty: none
        QTest::addColumn<QByteArray>("schedulePath"); // in the caption
        QTest::addColumn<bool>("kept");               // the file is left as it was

        const QString damaged = u"System Information Error!!"_s;
        const QByteArray remembered = OtherFolder + "SPRING.mvs"_ba;
        const QByteArray fresh = AppFolder + "morva.mvs"_ba;
        const QByteArray complete = completeFile();
        QTest::newRow("empty") << QByteArray() << damaged << fresh << false;
        // A bad value loses only itself: the remembered schedule still opens.
        QTest::newRow("unterminated quote in the first value")
            << complete.mid(0, complete.indexOf('\r') - 1) + complete.mid(complete.indexOf('\r'))
            << damaged << remembered << false;
        QTest::newRow("the remembered folder no longer exists")
            << completeFile(OtherFolder + "gone/"_ba) << QString() << fresh << false;
        QTest::newRow("larger than 1 MB")
            << complete + line(QByteArray(2 * 1024 * 1024, 'a'))
            << damaged + u"\nThe settings file %APP%SystemInfo.txt cannot be read: the file is "
                         u"larger than"_s
            << fresh << true;
    }

    void editorStartsAndRepairsTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QByteArray, schedulePath);
        QFETCH(bool, kept);
        TestFolder app;
        TestFolder other;
        const auto resolved = [&](QByteArray text) {
            return text.replace(AppFolder, app.path().toUtf8())
                .replace(OtherFolder, other.path().toUtf8());
        };
        const QString settings = app.file(QString::fromUtf16(SystemInfoFileName));
        const QByteArray written = resolved(content);
        QVERIFY(WriteSchedule(other.path(), u"SPRING.mvs"_s, SampleDocument()));
        QVERIFY(WriteBytes(settings, written));

        ScriptedDialogs dialogs;
        MainForm window(dialogs, app.path());
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(dialogs.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() ||
                dialogs.messages()[0].startsWith(QString::fromUtf8(resolved(message.toUtf8()))));
        const QString shownPath = QString::fromUtf8(resolved(schedulePath));
        QCOMPARE(ShownCaption(window), ExpectedCaption(shownPath));
        // The lists show the schedule and follow the document.
        const auto* basicList = window.findChild<QListView*>(u"NormalList"_s);
        const ScheduleDocument shown =
            shownPath.endsWith(u"SPRING.mvs"_s) ? SampleDocument() : ScheduleDocument();
        QCOMPARE(ListRows(basicList), MediaRows(shown.basicEntries()));
        QVERIFY(EnabledListButtons(window).contains(u"NormalAddCmd"_s));
        window.document().append(ListAddress::basic(), media("MORE", "MP3"));
        QCOMPARE(ListRows(basicList).size(), shown.basicCount() + 1);

        dialogs.clear();
        dialogs.answerSaveChanges(SaveChangesAnswer::Discard);
        QVERIFY(window.close());
        QCOMPARE(dialogs.kinds(), QList<Kind>{Kind::SaveChanges});
        // Complete again: every value as the window left it, written as always.
        QCOMPARE(FileBytes(settings), kept ? written : FormatSystemInfo(window.context()));
    }
};

QTEST_MAIN(TestDamagedSystemInfo)
#include "tst_damagedsysteminfo.moc"

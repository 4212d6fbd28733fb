// The media entry editor on its own: what it shows in each mode, the name
// check on OK, and Copy to... after Browse.

#include "CurrentTexts.h"
#include "ListInput.h"
#include "ScheduleEditForm.h"
#include "ScriptedDialogs.h"
#include "TestEntries.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

struct Editor {
    ScriptedDialogs dialogs;
    QString mediaFolder = u"/media/start/"_s;
    ScheduleEditForm form{dialogs, mediaFolder};
    QLineEdit* fileName = form.findChild<QLineEdit*>(u"FileNameText"_s);
    QPushButton* copy = form.findChild<QPushButton*>(u"CopyCmd"_s);
    QStringList copied;

    Editor() {
        form.setCopyHandler([this](const QString& picked) { copied.append(picked); });
        // Used before for another entry, as the window is again and again.
        form.MediaEditSetup(EditMode::Modify, media("OLD", "AVI", 9, 4));
        form.show();
    }
};

} // namespace

class TestScheduleEditForm final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadEnglishTexts(); }

    void shownAndStoredOnOk_data() {
        QTest::addColumn<EditMode>("mode");
        QTest::addColumn<MediaEntry>("stored");
        QTest::addColumn<QString>("shown"); // the name; OK stores the lists' items shown
        QTest::addColumn<QString>("typed");
        QTest::addColumn<MediaEntry>("entry"); // MediaEntry(): refused
        const MediaEntry clip = media("CLIP", "", 0, 0);
        QTest::newRow("add, lower case")
            << EditMode::Add << clip << QString() << u"a.mp3"_s << media("A");
        QTest::newRow("base of 17")
            << EditMode::Add << clip << QString() << u"abcdefghijklmnopq.jpg"_s << MediaEntry();
        QTest::newRow("modify, no extension")
            << EditMode::Modify << clip << u"CLIP."_s << QString() << clip;
        // A damaged file: values past the lists show their last items.
        MediaEntry damaged = media("LOUD", "MP3", 200, 40);
        damaged.reserved = {1, 2, 3, 4, 5, 6};
        QTest::newRow("damaged") << EditMode::ModifyDetail << damaged << u"LOUD.MP3"_s << QString()
                                 << media("LOUD", "MP3", 100);
    }

    void shownAndStoredOnOk() {
        QFETCH(EditMode, mode);
        QFETCH(MediaEntry, stored);
        QFETCH(QString, typed);
        QFETCH(MediaEntry, entry);
        Editor editor;
        editor.form.MediaEditSetup(mode, stored);
        QTEST(editor.fileName->text(), "shown");
        QTest::keyClicks(editor.fileName, typed);
        ClickButton(&editor.form, u"OKCmd"_s);
        QCOMPARE(editor.form.entry(), entry);
        // Refused: one message, and the window stays open.
        const bool refused = entry == MediaEntry();
        QCOMPARE(editor.dialogs.messages(),
                 refused ? QStringList{u"File Name Error!"_s} : QStringList());
        QCOMPARE(editor.form.isVisible(), refused);
    }

    void copyIsOfferedOnlyForThePickedFile() {
        Editor editor;
        editor.form.MediaEditSetup(EditMode::AddDetail);
        QVERIFY(!editor.copy->isEnabled());
        editor.dialogs.answerFile(u"/media/music/Song_1.Mp3"_s);
        ClickButton(&editor.form, u"BrowseCmd"_s);
        QCOMPARE(editor.dialogs.calls().constLast().folder, u"/media/start/"_s);
        QCOMPARE(editor.fileName->text(), u"Song_1.Mp3"_s);
        QCOMPARE(editor.mediaFolder, u"/media/music/"_s);
        ClickButton(&editor.form, u"CopyCmd"_s);
        QCOMPARE(editor.copied, QStringList{u"Song_1.Mp3"_s}); // as picked
        QTest::keyClick(editor.fileName, Qt::Key_X);
        QVERIFY(!editor.copy->isEnabled());
        // The next set-up ends it too; Cancel rejects the window.
        editor.form.MediaEditSetup(EditMode::Add);
        QVERIFY(!editor.copy->isEnabled());
        ClickButton(&editor.form, u"CancelCmd"_s);
        QCOMPARE(editor.form.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestScheduleEditForm)
#include "tst_scheduleeditform.moc"

// The About windows in both text tables, and the company links, opened through
// a recording opener so no browser or mail program ever starts.

#include "AboutCompanyForm.h"
#include "AboutMorvaScheduleGeneratorForm.h"
#include "CurrentTexts.h"
#include "LinkLabel.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAboutForms final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SelectTextTable(EnglishLanguageSelector); }

    // Program caption, software and kernel version labels, company caption;
    // the caption font of the table in use on every label and button.
    void windowTexts_data() {
        QTest::addColumn<quint16>("selector");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("family"); // of every label and button
        // The captions are the windows' own, without the dots of the menu items.
        QTest::newRow("English") << EnglishLanguageSelector
                                 << QStringList{u"About Morva Schedule Generator"_s,
                                                u"Software Version 01000000000020070103"_s,
                                                u"Schedule Kernel Version"_s, u"About Company"_s}
                                 << u"Times New Roman"_s;
        // Without the Japanese font the English one stays, quietly.
        const QString japaneseFont = u"Noto Serif CJK JP"_s;
        QTest::newRow("second table")
            << SecondLanguageSelector
            << QStringList{u"Morva Schedule Generator について"_s,
                           u"ソフトウェアバージョン 01000000000020070103"_s,
                           u"スケジュールカーネルバージョン"_s, u"会社情報"_s}
            << (QFontDatabase::hasFamily(japaneseFont) ? japaneseFont : u"Times New Roman"_s);
    }

    // The kernel version shown is the one every saved file carries after
    // "MORVA"; every domain shown is an example one, as the company is made up.
    void windowTexts() {
        QFETCH(quint16, selector);
        QFETCH(QStringList, texts);
        QFETCH(QString, family);
        TestFolder dir;
        QVERIFY(WriteSchedule(dir.path(), u"a.mvs"_s, ScheduleDocument()));
        const QByteArray saved = FileBytes(dir.file(u"a.mvs"_s));
        QCOMPARE(saved.left(5), "MORVA");
        texts[2] += u' ' + QString::fromLatin1(saved.mid(5, 20));

        SelectTextTable(selector);
        const AboutMorvaScheduleGeneratorForm program;
        ScriptedDialogs dialogs;
        const AboutCompanyForm company(dialogs, [](const QUrl&) { return true; });
        QCOMPARE((QStringList{program.windowTitle(),
                              program.findChild<QLabel*>(u"SoftwareVersionLabel"_s)->text(),
                              program.findChild<QLabel*>(u"ScheduleKernelLabel"_s)->text(),
                              company.windowTitle()}),
                 texts);
        QString shown;
        for (const QLabel* label :
             company.findChildren<QLabel*>() + program.findChildren<QLabel*>()) {
            shown += label->text() + u' ';
            if (label->pixmap().isNull())
                QCOMPARE(label->font().family(), family);
        }
        for (const QPushButton* ok : {program.findChild<QPushButton*>(u"OKCmd"_s),
                                      company.findChild<QPushButton*>(u"OKCmd"_s)})
            QCOMPARE(ok->font().family(), family);
        shown.remove(QRegularExpression(u"\\bexample\\.(com|jp|org)\\b"_s));
        QVERIFY2(!shown.contains(QRegularExpression(u"(?i)\\w\\.[a-z]{2,}"_s)), qPrintable(shown));
    }

    // A click opens exactly the address the label shows; when that fails the
    // user reads "Link error".
    void linksOpenWhatTheyShow() {
        const QStringList labels{u"MorvaWWWLabel"_s,    u"MorvaEmailLabel"_s,
                                 u"MorvaJapWWWLabel"_s, u"MorvaJapEmailLabel"_s,
                                 u"MorvaUSAWWWLabel"_s, u"MorvaUSAEmailLabel"_s};
        const QStringList links{u"http://www.example.com/"_s, u"mailto:info@example.com"_s,
                                u"http://www.example.jp/"_s,  u"mailto:support@example.jp"_s,
                                u"http://www.example.org/"_s, u"mailto:sales@example.org"_s};
        ScriptedDialogs dialogs;
        QStringList opened;
        AboutCompanyForm form(dialogs, [&opened](const QUrl& url) {
            opened.append(url.toString());
            return opened.size() <= 6; // a second round fails
        });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (qsizetype i = 0; i < labels.size(); ++i) {
            auto* label = form.findChild<LinkLabel*>(labels[i]);
            QVERIFY(label->text().endsWith(QString(links[i]).remove(u"mailto:"_s)));
            QTest::mouseClick(label, Qt::LeftButton);
        }
        QCOMPARE(opened, links);
        QVERIFY(dialogs.calls().isEmpty());
        QTest::mouseClick(form.findChild<LinkLabel*>(labels[0]), Qt::LeftButton);
        QCOMPARE(dialogs.messages(), QStringList{u"Link error"_s});
    }
};

QTEST_MAIN(TestAboutForms)
#include "tst_aboutforms.moc"

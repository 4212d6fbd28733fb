// Access keys marked in the texts of both tables, and buttons that may be
// narrower than the style's minimum but never narrower than their text.

#include "AccessKeys.h"
#include "CompactButton.h"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAccessKeys final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marked_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("marked");
        QTest::newRow("first letter") << u"New"_s << QChar(u'N') << u"&New"_s;
        QTest::newRow("same case first") << u"Save As..."_s << QChar(u'A') << u"Save &As..."_s;
        QTest::newRow("other case") << u"Exit"_s << QChar(u'X') << u"E&xit"_s;
        QTest::newRow("already marked") << u"&Language"_s << QChar(u'G') << u"&Language"_s;
        QTest::newRow("Japanese") << u"新規作成"_s << QChar(u'n') << u"新規作成(&N)"_s;
        QTest::newRow("Japanese, dots last")
            << u"名前を付けて保存..."_s << QChar(u'A') << u"名前を付けて保存(&A)..."_s;
        QTest::newRow("Japanese, marked") << u"ファイル(&F)"_s << QChar(u'F') << u"ファイル(&F)"_s;
        // An ampersand that stands for itself is no mark.
        QTest::newRow("escaped ampersand") << u"R&&D"_s << QChar(u'D') << u"R&&&D"_s;
        QTest::newRow("no key") << u"Add"_s << QChar() << u"Add"_s;
    }

    void marked() {
        QFETCH(QString, text);
        QFETCH(QChar, key);
        QTEST(WithAccessKey(text, key), "marked");
    }

    void compactButtonKeepsItsText() {
        CompactButton button;
        button.setText(u"&Remove"_s);
        const int textWidth = button.fontMetrics().horizontalAdvance(u"Remove"_s);
        QVERIFY(button.minimumSizeHint().width() > textWidth);
        QVERIFY(button.minimumSizeHint().width() <= button.sizeHint().width());
        QCOMPARE(button.minimumSizeHint().height(), button.sizeHint().height());
    }
};

QTEST_MAIN(TestAccessKeys)
#include "tst_accesskeys.moc"

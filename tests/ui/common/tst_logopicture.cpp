#include "LogoPicture.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QSize DrawnSize(220, 70);

// logo.svg drawn the way the windows once drew it at every start.
QPixmap drawnFromSvg() {
    QSvgRenderer renderer(QStringLiteral(MORVA_LOGO_SVG));
    QPixmap picture(DrawnSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

QImage pixels(const QPixmap& picture) {
    return picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestLogoPicture final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void storedPictureIsTheSvgAsDrawn() {
        const QPixmap drawn = drawnFromSvg();
        QVERIFY(!drawn.isNull());
        if (pixels(LogoPicture(DrawnSize)) != pixels(drawn)) {
            const QString fresh = QDir::temp().filePath(u"logo.png"_s);
            drawn.save(fresh, "PNG", 0);
            QFAIL(qPrintable(u"src/ui/common/resources/logo.png is not logo.svg as drawn; "
                             u"replace it with "_s +
                             fresh));
        }
    }

    void logoPicture_data() {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("expected");

        QTest::newRow("larger") << QSize(440, 140) << QSize(440, 140);
        QTest::newRow("box too narrow") << QSize(110, 70) << QSize(110, 35);
        QTest::newRow("box too low") << QSize(220, 35) << QSize(110, 35);
    }

    void logoPicture() {
        QFETCH(QSize, asked);
        QFETCH(QSize, expected);

        const QPixmap picture = LogoPicture(asked);

        QCOMPARE(picture.size(), expected);
        QVERIFY(picture.hasAlphaChannel());
    }
};

QTEST_MAIN(TestLogoPicture)
#include "tst_logopicture.moc"

#include "LogoPicture.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap LogoPicture(const QSize& size) {
    QSvgRenderer renderer(QStringLiteral(":/morva/logo.svg"));
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

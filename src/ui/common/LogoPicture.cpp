#include "LogoPicture.h"

#include <QPainter>

QPixmap LogoPicture(const QSize& size) {
    // A picture drawn once from logo.svg: drawing the SVG at every start took
    // a tenth of the start-up, most of it loading fonts for the logo's text.
    const QPixmap picture(QStringLiteral(":/morva/logo.png"), "PNG");
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon LogoIcon() {
    // Window icons are square: the logo stands centred on a clear square.
    QIcon icon;
    for (const int side : {16, 32, 64, 128}) {
        QPixmap square(side, side);
        square.fill(Qt::transparent);
        const QPixmap logo = LogoPicture(QSize(side, side));
        QPainter painter(&square);
        painter.drawPixmap((side - logo.width()) / 2, (side - logo.height()) / 2, logo);
        painter.end();
        icon.addPixmap(square);
    }
    return icon;
}

#include "LogoPicture.h"

QPixmap LogoPicture(const QSize& size) {
    // A picture drawn once from logo.svg: drawing the SVG at every start took
    // a tenth of the start-up, most of it loading fonts for the logo's text.
    const QPixmap picture(QStringLiteral(":/morva/logo.png"), "PNG");
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

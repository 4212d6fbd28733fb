#include "Fonts.h"

#include <QFontDatabase>

QFont CaptionFont() {
    return QFont(QStringLiteral("Times New Roman"), 12);
}

QFont ListFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    return font;
}

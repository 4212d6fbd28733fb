#include "Fonts.h"

#include "CurrentTexts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QString EnglishCaptionFamily = u"Times New Roman"_s;
// Times has no Japanese glyphs, and borrowing them one at a time from another
// font mixes styles within a caption. Noto Serif CJK JP is a serif face like
// Times, so English words, digits and "OK" keep their look beside the
// Japanese, and Debian ships it in fonts-noto-cjk.
const QString JapaneseCaptionFamily = u"Noto Serif CJK JP"_s;
const QString JapaneseInterfaceFamily = u"Noto Sans CJK JP"_s;

QString captionFamily() {
    if (LanguageInUse() == SecondLanguageSelector &&
        QFontDatabase::hasFamily(JapaneseCaptionFamily))
        return JapaneseCaptionFamily;
    return EnglishCaptionFamily;
}

bool hasCaptionFamily(const QWidget* widget) {
    if (!widget->testAttribute(Qt::WA_SetFont))
        return false;
    const QString family = widget->font().family();
    return family == EnglishCaptionFamily || family == JapaneseCaptionFamily;
}

} // namespace

QFont CaptionFont() {
    return QFont(captionFamily(), 12);
}

void RefreshCaptionFonts(QWidget* window) {
    const QString family = captionFamily();
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : std::as_const(widgets)) {
        if (!hasCaptionFamily(widget))
            continue;
        QFont font = widget->font();
        font.setFamily(family);
        widget->setFont(font);
    }
}

void UseApplicationFontForLanguage() {
    static const QFont desktop = QApplication::font();
    QFont font = desktop;
    if (LanguageInUse() == SecondLanguageSelector &&
        QFontDatabase::hasFamily(JapaneseInterfaceFamily))
        font.setFamily(JapaneseInterfaceFamily);
    if (QApplication::font() != font)
        QApplication::setFont(font);
}

QFont ListFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    return font;
}

#include "WindowLanguage.h"

#include "CurrentTexts.h"
#include "Fonts.h"
#include "QtTranslations.h"

void ApplyLanguageToWindow(QWidget* window) {
    UseQtTranslations(LanguageInUse());
    UseApplicationFontForLanguage();
    RefreshCaptionFonts(window);
}

#include "WindowLanguage.h"

#include "CurrentTexts.h"
#include "QtTranslations.h"

void ApplyLanguageToWindow(QWidget* /*window*/) {
    UseQtTranslations(LanguageInUse());
}

#include "CurrentTexts.h"

namespace {

TextTable& current() {
    static TextTable table;
    return table;
}

quint16& currentLanguage() {
    static quint16 selector = 0;
    return selector;
}

} // namespace

const QString& Text(TextSlot slot) {
    return current().text(slot);
}

void LoadEnglishTexts() {
    current() = EnglishTexts();
    currentLanguage() = EnglishLanguageSelector;
}

void LoadSecondTexts() {
    current() = SecondTexts();
    currentLanguage() = SecondLanguageSelector;
}

void SelectTextTable(quint16 languageSelector) {
    if (languageSelector == EnglishLanguageSelector)
        LoadEnglishTexts();
    else if (languageSelector == SecondLanguageSelector)
        LoadSecondTexts();
}

quint16 LanguageInUse() {
    return currentLanguage();
}

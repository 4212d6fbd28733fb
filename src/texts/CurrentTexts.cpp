#include "CurrentTexts.h"

namespace {

TextTable& current() {
    static TextTable table;
    return table;
}

} // namespace

const QString& Text(TextSlot slot) {
    return current().text(slot);
}

void LoadEnglishTexts() {
    current() = EnglishTexts();
}

void LoadSecondTexts() {
    current() = SecondTexts();
}

void SelectTextTable(quint16 languageSelector) {
    if (languageSelector == EnglishLanguageSelector)
        LoadEnglishTexts();
    else if (languageSelector == SecondLanguageSelector)
        LoadSecondTexts();
}

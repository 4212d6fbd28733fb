#pragma once

#include "TextTable.h"

#include <QtGlobal>

// The texts in use, process-wide. Every slot is empty until a table is
// loaded; start-up loads the one the user chose.
const QString& Text(TextSlot slot);

void LoadEnglishTexts();
void LoadSecondTexts();
// 1 loads the English table, 2 the second table; any other value changes nothing.
void SelectTextTable(quint16 languageSelector);
// The selector of the table in use; 0 before one is loaded.
quint16 LanguageInUse();

inline constexpr quint16 EnglishLanguageSelector = 1;
inline constexpr quint16 SecondLanguageSelector = 2;

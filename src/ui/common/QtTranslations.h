#pragma once

#include <QtGlobal>

// Qt's own texts (the standard buttons of message boxes, the file dialogs) in
// the given language, from the translations installed with Qt; the English
// selector puts back Qt's own English. Where the language's translations are
// not installed, Qt's texts stay English; that is no reason to bother the user.
void UseQtTranslations(quint16 languageSelector);

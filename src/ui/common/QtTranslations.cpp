#include "QtTranslations.h"

#include "CurrentTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

QPointer<QTranslator>& installedTranslator() {
    static QPointer<QTranslator> translator;
    return translator;
}

} // namespace

void UseQtTranslations(quint16 languageSelector) {
    QPointer<QTranslator>& installed = installedTranslator();
    const bool japanese = languageSelector == SecondLanguageSelector;
    if (japanese && installed)
        return;
    // Removing sends the language-change event that retranslates open dialogs.
    delete installed.data();
    if (!japanese)
        return;
    // Owned by the application, so it goes with it.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

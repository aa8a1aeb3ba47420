#include "services/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zembra {

namespace {

// The one translator of Qt's texts, owned by the application; null while none is installed.
QTranslator* g_qtTranslator = nullptr;

} // namespace

bool InstallQtTranslations(Language language)
{
    if (g_qtTranslator) {
        QCoreApplication::removeTranslator(g_qtTranslator);
        delete g_qtTranslator;
        g_qtTranslator = nullptr;
    }
    if (language != Language::Japanese) {
        return true;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    // qtbase holds the texts of Qt's widgets and dialogs (Debian: qt6-translations-l10n).
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    g_qtTranslator = translator;
    return true;
}

} // namespace zembra

#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vorlan {

bool InstallQtTranslations(QCoreApplication& app) {
    auto* catalogue = new QTranslator(&app);
    if (!catalogue->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(catalogue)) {
        delete catalogue;
        return false;
    }
    return true;
}

}  // namespace vorlan

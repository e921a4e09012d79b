#include "ui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qv {

QTranslator* InstallQtTranslation(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    // The built-in copy first: an installed program, Windows included, carries its own.
    if (translator->load(QStringLiteral(":/translations/qtbase_ru.qm")) ||
        translator->load(QStringLiteral("qtbase_ru"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        if (QCoreApplication::installTranslator(translator)) return translator;
    delete translator;
    return nullptr;
}

} // namespace qv

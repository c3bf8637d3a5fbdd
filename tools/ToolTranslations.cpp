#include "tools/ToolTranslations.h"

#include "store/StoreMessages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ToolTranslations {

void install(const QLocale& locale)
{
    static QTranslator tool;
    static QTranslator store;
    static QTranslator qt;
    if (tool.load(locale, QStringLiteral("quenhar-bank"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&tool);
    // The messages of the bank itself (opening, reading, writing).
    if (StoreMessages::load(store, locale))
        QCoreApplication::installTranslator(&store);
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

} // namespace ToolTranslations

#include "tools/ToolTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ToolTranslations {

void install()
{
    static QTranslator tool;
    static QTranslator qt;
    const QLocale locale = QLocale::system();
    if (tool.load(locale, QStringLiteral("quenhar-bank"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&tool);
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

} // namespace ToolTranslations

#include "store/StoreMessages.h"

#include <QLocale>
#include <QString>
#include <QTranslator>

bool StoreMessages::load(QTranslator& translator, const QLocale& locale)
{
    // Built into the library from translations/quenhar-store_<language>.ts.
    return translator.load(locale, QStringLiteral("quenhar-store"), QStringLiteral("_"), QStringLiteral(":/i18n"));
}

bool StoreMessages::loadChinese(QTranslator& translator)
{
    return load(translator, QLocale(QLocale::Chinese, QLocale::China));
}

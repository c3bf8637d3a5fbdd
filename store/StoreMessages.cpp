#include "store/StoreMessages.h"

#include <QString>
#include <QTranslator>

bool StoreMessages::loadChinese(QTranslator& translator)
{
    // Built into the library from translations/quenhar-store_zh_CN.ts.
    return translator.load(QStringLiteral(":/i18n/quenhar-store_zh_CN.qm"));
}

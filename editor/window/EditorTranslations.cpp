#include "editor/window/EditorTranslations.h"

#include "tools/ToolTranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace EditorTranslations {

void install()
{
    ToolTranslations::install();
    static QTranslator editor;
    if (editor.load(QLocale::system(), QStringLiteral("quenhar-editor"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&editor);
}

} // namespace EditorTranslations

#include "editor/window/EditorTranslations.h"

#include "tools/ToolTranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace EditorTranslations {

void install()
{
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    ToolTranslations::install(chinese);
    static QTranslator editor;
    if (editor.load(chinese, QStringLiteral("quenhar-editor"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&editor);
}

} // namespace EditorTranslations

#include "editor/window/EditorTranslations.h"

#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The editor speaks Chinese on a computer set up in another language: its
// own texts, the bank tool's messages and the store's. (A program of its
// own: the translators stay installed for the rest of the process.)
TEST(EditorLanguage, TheWindowIsChineseWhateverTheSystemLanguage)
{
    if (QLocale::system().language() == QLocale::Chinese)
        GTEST_SKIP() << "the system is set to Chinese, where Chinese proves nothing; run in another locale";
    EditorTranslations::install();
    const struct
    {
        const char* context;
        const char* source;
        const char* chinese;
    } cases[] = {
        {"EditorWindow", "No problems found: the trainer can use this bank as it is.",
         "没有发现问题：训练程序可以直接使用此题库。"},
        {"PictureConverter", "is not a valid SVG picture", "不是有效的 SVG 图片"},
        {"Store", "'%1' %2", "“%1”%2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source), QString::fromUtf8(c.chinese)) << c.source;
}

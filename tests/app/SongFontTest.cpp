// The window's font as this system resolves it: one of the Song-style fonts
// it names, with the Chinese glyphs in it, not whatever the system puts in
// their place (a sans-serif, or a font without Chinese). On Windows the test
// runs on the system's own platform, so that Windows' own font matching (and
// its substitutes, such as 宋体 for SimSun) decides, as it does for the user.

#include "layout/FormLayout.h"
#include "layout/SongFont.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(SongFont, isOneOfTheSongStyleFontsItNamesAndHoldsTheWindowsChinese)
{
    const QString chinese = QStringLiteral("正确错误必对题显示答案上一题下一题转到");
    for (const int size : {FormLayout::formFontSize, FormLayout::answerButtonFontSize, FormLayout::keyFontSize}) {
        for (const bool bold : {false, true}) {
            const QFont asked = songFont(size, bold);
            const QString family = QFontInfo(asked).family();
            EXPECT_TRUE(asked.families().contains(family))
                << "size " << size << (bold ? " bold" : "") << ": " << family.toStdString();
            const QFontMetrics metrics(asked);
            for (const QChar character : chinese)
                EXPECT_TRUE(metrics.inFont(character))
                    << family.toStdString() << " lacks " << QString(character).toStdString();
        }
    }
}

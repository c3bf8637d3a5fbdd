#include "editor/window/TrainerLook.h"

#include "layout/ApplicationTitle.h"
#include "layout/FormLayout.h"
#include "layout/SongFont.h"

#include <QStyle>
#include <QTabBar>

namespace {

QRect placed(const char* name)
{
    for (const FormLayout::Placement& placement : FormLayout::controlStrip)
        if (qstrcmp(placement.name, name) == 0)
            return placement.rect;
    return {};
}

int rightAreaWidth()
{
    return FormLayout::questionAreaWidth;
}

// A tab bar in the trainer's font takes this much height: the practice
// pages' bar from the text box, the main page control's from the picture
// area.
int tabBarHeight()
{
    QTabBar bar;
    bar.setFont(songFont(FormLayout::formFontSize));
    bar.addTab(QStringLiteral("顺序练习"));
    return bar.sizeHint().height();
}

} // namespace

namespace TrainerLook {

QSize textBox()
{
    return {rightAreaWidth(), FormLayout::practicePagesHeight - tabBarHeight()};
}

QFont textFont()
{
    return songFont(FormLayout::formFontSize);
}

QSize controlStrip()
{
    return {rightAreaWidth(), FormLayout::controlStripHeight};
}

QList<Button> answerButtons(bool singleChoice)
{
    if (singleChoice)
        return {{QStringLiteral("A"), placed("btA")}, {QStringLiteral("B"), placed("btB")},
                {QStringLiteral("C"), placed("btC")}};
    return {{QStringLiteral("对"), placed("btOk")}, {QStringLiteral("错"), placed("btError")}};
}

QFont answerButtonFont()
{
    return songFont(FormLayout::answerButtonFontSize, true);
}

QRect mustAnswerMark()
{
    return placed("lbBiDui");
}

QFont mustAnswerFont()
{
    return songFont(FormLayout::mustAnswerFontSize);
}

QSize pictureArea()
{
    return FormLayout::pictureArea(tabBarHeight());
}

QString messageCaption()
{
    return applicationTitle();
}

} // namespace TrainerLook

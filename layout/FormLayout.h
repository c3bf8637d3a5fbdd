#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Every pixel position and size of the main window and of its materials
// page, in one place. Everything that draws a question as the trainer does
// (the window, and any program that previews a question the same way)
// takes its sizes from here. All sizes are in device-independent pixels.
namespace FormLayout {

inline constexpr QSize clientSize{766, 529};
// What a window frame adds to the client area (borders and title bar), for
// placing the window before the desktop has told its real frame.
inline constexpr QSize frameAllowance{8, 34};

// Left column of "交规训练": the mode tree above the key panel.
inline constexpr int leftColumnWidth = 193;
inline constexpr int keyPanelHeight = 41;
inline constexpr QRect edKey{56, 5, 33, 32};
inline constexpr QRect cbShowDA{96, 21, 97, 17};
inline constexpr int treeIndent = 19;

// Right area, top to bottom: control strip, practice pages, splitter, picture.
inline constexpr int controlStripHeight = 77;
inline constexpr int practicePagesHeight = 184;
inline constexpr int splitterWidth = 8;

// The bars above the memos of "分类练习" and "模拟考试".
inline constexpr int classBarHeight = 33;
inline constexpr QRect cbClassType{248, 5, 281, 20};
inline constexpr int scoreBarHeight = 41;
inline constexpr QRect scoreCaption{16, 16, 60, 12};
inline constexpr QRect edFenShu{80, 8, 121, 21};

// What a question takes in the right area: the practice text boxes are as
// wide as the area; the picture area takes the height that the main page
// control's tab bar (its height is the style's), the control strip, the
// practice pages and the splitter leave.
inline constexpr int questionAreaWidth = clientSize.width() - leftColumnWidth;
inline constexpr QSize pictureArea(int tabBarHeight)
{
    return {questionAreaWidth,
            clientSize.height() - tabBarHeight - controlStripHeight - practicePagesHeight - splitterWidth};
}

// The materials page "各种资料": the title grid on top, the record navigator
// at the bottom, the text box between them.
inline constexpr int titleGridHeight = 113;
// A grid row is as high as the font's line plus this.
inline constexpr int titleGridRowPadding = 4;
inline constexpr int navigatorHeight = 25;

// Font sizes, in pixels.
inline constexpr int formFontSize = 12;
inline constexpr int answerButtonFontSize = 16;
inline constexpr int resultLabelFontSize = 20;
inline constexpr int mustAnswerFontSize = 16;
inline constexpr int keyFontSize = 24;

// Controls of the control strip, by object name (answer buttons: A, B, C,
// and 对, 错 in the places of A and C).
struct Placement
{
    const char* name;
    QRect rect;
};

inline constexpr Placement controlStrip[] = {
    {"lbBiDui", {0, 0, 65, 20}},
    {"btA", {128, 8, 75, 25}},
    {"btOk", {128, 8, 75, 25}},
    {"lbPass", {216, 16, 49, 20}},
    {"btB", {280, 8, 75, 25}},
    {"lbError", {368, 16, 49, 20}},
    {"btC", {424, 8, 75, 25}},
    {"btError", {424, 8, 75, 25}},
    {"lbDi", {11, 31, 17, 12}},
    {"lbSubjectsNo", {48, 32, 36, 12}},
    {"lbTi", {88, 32, 25, 12}},
    {"btPrior", {128, 40, 75, 25}},
    {"btNext", {280, 40, 75, 25}},
    {"btOver", {424, 40, 75, 25}},
    {"btGo", {8, 46, 33, 25}},
    {"mEdGo", {42, 50, 38, 20}},
    {"lbGoTi", {88, 53, 25, 12}},
};

} // namespace FormLayout

// The window's widgets: pages, controls, captions, fonts and positions.

#include "app/PageControl.h"
#include "app/TfrmMain.h"
#include "layout/FormLayout.h"
#include "layout/SongFont.h"
#include "materials/ZiLiaoPage.h"
#include "practice/GoToBox.h"
#include "practice/ModeCodes.h"
#include "practice/ModeTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// What assistive technology says for a control: its name, and a
// description where the caption alone does not say what the control is for.
template <typename Widget>
Widget* spoken(Widget* widget, const QString& name, const QString& description = {})
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
    return widget;
}

QPalette withColor(QPalette palette, QPalette::ColorRole role, const QColor& color)
{
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    return palette;
}

QPushButton* answerButton(const QString& caption, const char* name, int code, QWidget* parent)
{
    auto* button = named(new QPushButton(caption, parent), name);
    spoken(button, QStringLiteral("选%1").arg(caption), QStringLiteral("把“%1”作为本题的答案").arg(caption));
    button->setFont(songFont(FormLayout::answerButtonFontSize, true));
    button->setProperty("tag", code);
    return button;
}

QLabel* resultLabel(const QString& caption, const char* name, const QString& spokenName, const QColor& color,
                    QWidget* parent)
{
    auto* label = spoken(named(new QLabel(caption, parent), name), spokenName);
    label->setFont(songFont(FormLayout::resultLabelFontSize));
    label->setPalette(withColor(label->palette(), QPalette::WindowText, color));
    label->hide();
    return label;
}

QPlainTextEdit* questionMemo(const char* name)
{
    auto* memo = spoken(named(new QPlainTextEdit, name), QStringLiteral("题目"));
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return memo;
}

QVBoxLayout* flatColumn(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

void TfrmMain::createWidgets()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quenhar"));
    setAccessibleName(QStringLiteral("交规训练"));
    setFont(songFont(FormLayout::formFontSize));
    resize(FormLayout::clientSize);

    pcMain = spoken(named(new PageControl(this), "pcMain"), QStringLiteral("主页面"));
    tsEducate = spoken(named(createEducatePage(), "tsEducate"), QStringLiteral("交规训练"));
    tsSetup = spoken(named(new QWidget, "tsSetup"), QStringLiteral("交规题库管理"));
    tsZiLiao = spoken(named(new QWidget, "tsZiLiao"), QStringLiteral("各种资料"));
    pcMain->addTab(tsEducate, QStringLiteral("交规训练"));
    pcMain->addTab(tsSetup, QStringLiteral("交规题库管理"));
    pcMain->addTab(tsZiLiao, QStringLiteral("各种资料"));
    flatColumn(this)->addWidget(pcMain);
}

QWidget* TfrmMain::createEducatePage()
{
    auto* page = new QWidget;
    auto* right = new QWidget;
    auto* rightColumn = flatColumn(right);
    rightColumn->addWidget(createControlStrip());

    Splitter1 = spoken(named(new QSplitter(Qt::Vertical), "Splitter1"), QStringLiteral("题目与图片的分界"),
                       QStringLiteral("上下拖动，改变题目和图片所占的高度"));
    Splitter1->setHandleWidth(FormLayout::splitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(createPracticePages());
    Image1 = spoken(named(new QLabel, "Image1"), QStringLiteral("题目图片"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Splitter1->addWidget(Image1);
    // The practice pages keep their height; the picture takes the rest.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({FormLayout::practicePagesHeight, FormLayout::clientSize.height()});
    rightColumn->addWidget(Splitter1, 1);

    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(createLeftColumn());
    row->addWidget(right, 1);
    return page;
}

QWidget* TfrmMain::createLeftColumn()
{
    auto* column = new QWidget;
    column->setFixedWidth(FormLayout::leftColumnWidth);
    auto* layout = flatColumn(column);

    TreeView = spoken(named(new ModeTree, "TreeView"), QStringLiteral("练习方式"),
                      QStringLiteral("选择分类练习、顺序练习、重点练习或模拟考试"));
    TreeView->setIndentation(FormLayout::treeIndent);
    TreeView->addMode(QStringLiteral("分类练习"), ModeCodes::fenLei);
    TreeView->addMode(QStringLiteral("顺序练习"), ModeCodes::sunxu);
    TreeView->addMode(QStringLiteral("重点练习"), ModeCodes::zhongdian);
    TreeView->addMode(QStringLiteral("模拟考试"), ModeCodes::moNi);
    layout->addWidget(TreeView, 1);

    pnKey = spoken(named(new QWidget, "pnKey"), QStringLiteral("答案"));
    pnKey->setFixedHeight(FormLayout::keyPanelHeight);
    edKey = spoken(named(new QLineEdit(QStringLiteral("A"), pnKey), "edKey"), QStringLiteral("正确答案"));
    edKey->setGeometry(FormLayout::edKey);
    edKey->setFrame(false);
    edKey->setReadOnly(true);
    edKey->setFont(songFont(FormLayout::keyFontSize, true));
    edKey->setPalette(withColor(edKey->palette(), QPalette::Text, Qt::red));
    edKey->hide();
    cbShowDA = spoken(named(new QCheckBox(QStringLiteral("显示答案"), pnKey), "cbShowDA"), QStringLiteral("显示答案"),
                      QStringLiteral("勾选后在左下角显示本题的正确答案"));
    cbShowDA->setLayoutDirection(Qt::RightToLeft); // caption to the left of the box
    cbShowDA->setGeometry(FormLayout::cbShowDA);
    layout->addWidget(pnKey);
    return column;
}

QWidget* TfrmMain::createControlStrip()
{
    auto* strip = spoken(named(new QWidget, "pnControl"), QStringLiteral("答题与翻题"));
    strip->setFixedHeight(FormLayout::controlStripHeight);

    lbBiDui = spoken(named(new QLabel(QStringLiteral("必对题"), strip), "lbBiDui"), QStringLiteral("必对题"),
                     QStringLiteral("模拟考试中答错本题即不及格"));
    lbBiDui->setFont(songFont(FormLayout::mustAnswerFontSize));
    lbBiDui->setAutoFillBackground(true);
    lbBiDui->setPalette(withColor(lbBiDui->palette(), QPalette::Window, Qt::red));
    lbBiDui->hide();

    btA = answerButton(QStringLiteral("A"), "btA", 0, strip);
    btB = answerButton(QStringLiteral("B"), "btB", 1, strip);
    btC = answerButton(QStringLiteral("C"), "btC", 2, strip);
    btOk = answerButton(QStringLiteral("对"), "btOk", 0, strip);
    btError = answerButton(QStringLiteral("错"), "btError", 1, strip);
    btOk->hide();
    btError->hide();
    lbPass = resultLabel(QStringLiteral("正 确"), "lbPass", QStringLiteral("回答正确"), Qt::darkGreen, strip);
    lbError = resultLabel(QStringLiteral("错 误"), "lbError", QStringLiteral("回答错误"), Qt::red, strip);

    spoken(named(new QLabel(QStringLiteral("第"), strip), "lbDi"), QStringLiteral("第"));
    lbSubjectsNo = spoken(named(new QLabel(QStringLiteral("1"), strip), "lbSubjectsNo"), QStringLiteral("题号"));
    lbSubjectsNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    spoken(named(new QLabel(QStringLiteral("题"), strip), "lbTi"), QStringLiteral("题"));
    btGo = spoken(named(new QPushButton(QStringLiteral("转到"), strip), "btGo"), QStringLiteral("转到"),
                  QStringLiteral("转到“转到题号”框中的题"));
    mEdGo = spoken(named(new GoToBox(strip), "mEdGo"), QStringLiteral("转到题号"),
                   QStringLiteral("输入要转到的题号，最多5位数字，再按“转到”"));
    mEdGo->setValue(1);
    spoken(named(new QLabel(QStringLiteral("题"), strip), "lbGoTi"), QStringLiteral("题"));

    btPrior = spoken(named(new QPushButton(QStringLiteral("上一题"), strip), "btPrior"), QStringLiteral("上一题"));
    btNext = spoken(named(new QPushButton(QStringLiteral("下一题"), strip), "btNext"), QStringLiteral("下一题"));
    btOver = spoken(named(new QPushButton(QStringLiteral("结束"), strip), "btOver"), QStringLiteral("结束"),
                    QStringLiteral("结束程序"));

    for (const FormLayout::Placement& placement : FormLayout::controlStrip)
        strip->findChild<QWidget*>(QLatin1String(placement.name))->setGeometry(placement.rect);
    return strip;
}

PageControl* TfrmMain::createPracticePages()
{
    pcXunlian = spoken(named(new PageControl, "pcXunlian"), QStringLiteral("练习页"));
    pcXunlian->setMinimumHeight(FormLayout::practicePagesHeight);

    MmFenLei = questionMemo("MmFenLei");
    mmShunxu = questionMemo("mmShunxu");
    mmZhongDian = questionMemo("mmZhongDian");
    mmMoNi = questionMemo("mmMoNi");
    mmMoNi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    tsFenLei = addPracticePage("tsFenLei", QStringLiteral("分类练习"), ModeCodes::fenLei, MmFenLei, createClassBar(),
                               FormLayout::classBarHeight);
    tsSunxu = addPracticePage("tsSunxu", QStringLiteral("顺序练习"), ModeCodes::sunxu, mmShunxu);
    tsZhongdian = addPracticePage("tsZhongdian", QStringLiteral("重点练习"), ModeCodes::zhongdian, mmZhongDian);
    tsMoNi = addPracticePage("tsMoNi", QStringLiteral("模拟考试"), ModeCodes::moNi, mmMoNi, createScoreBar(),
                             FormLayout::scoreBarHeight);
    return pcXunlian;
}

QWidget* TfrmMain::addPracticePage(const char* name, const QString& caption, int modeCode, QPlainTextEdit* memo,
                                   QWidget* bar, int barHeight)
{
    auto* page = spoken(named(new QWidget, name), caption);
    page->setProperty("tag", modeCode);
    auto* layout = flatColumn(page);
    if (bar) {
        bar->setFixedHeight(barHeight);
        layout->addWidget(bar);
    }
    layout->addWidget(memo, 1);
    pcXunlian->addTab(page, caption);
    return page;
}

QWidget* TfrmMain::createClassBar()
{
    auto* bar = new QWidget;
    cbClassType = spoken(named(new QComboBox(bar), "cbClassType"), QStringLiteral("题目分类"),
                         QStringLiteral("选择要练习的分类"));
    cbClassType->setEditable(false);
    cbClassType->setGeometry(FormLayout::cbClassType);
    return bar;
}

QWidget* TfrmMain::createScoreBar()
{
    auto* bar = new QWidget;
    spoken(named(new QLabel(QStringLiteral("目前得分:"), bar), "lbScore"), QStringLiteral("目前得分"))->setGeometry(FormLayout::scoreCaption);
    edFenShu = spoken(named(new QLineEdit(bar), "edFenShu"), QStringLiteral("目前得分"),
                      QStringLiteral("模拟考试中答对的题数"));
    edFenShu->setReadOnly(true);
    edFenShu->setGeometry(FormLayout::edFenShu);
    return bar;
}

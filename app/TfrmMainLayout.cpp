// The window's widgets: pages, controls, captions, fonts and positions.

#include "app/FormLayout.h"
#include "app/PageControl.h"
#include "app/SongFont.h"
#include "app/TfrmMain.h"
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

QPalette withColor(QPalette palette, QPalette::ColorRole role, const QColor& color)
{
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    return palette;
}

QPushButton* answerButton(const QString& caption, const char* name, int code, QWidget* parent)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setFont(songFont(FormLayout::answerButtonFontSize, true));
    button->setProperty("tag", code);
    return button;
}

QLabel* resultLabel(const QString& caption, const char* name, const QColor& color, QWidget* parent)
{
    auto* label = named(new QLabel(caption, parent), name);
    label->setFont(songFont(FormLayout::resultLabelFontSize));
    label->setPalette(withColor(label->palette(), QPalette::WindowText, color));
    label->hide();
    return label;
}

QPlainTextEdit* questionMemo(const char* name)
{
    auto* memo = named(new QPlainTextEdit, name);
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
    setFont(songFont(FormLayout::formFontSize));
    resize(FormLayout::clientSize);

    pcMain = named(new PageControl(this), "pcMain");
    tsEducate = named(createEducatePage(), "tsEducate");
    tsSetup = named(new QWidget, "tsSetup");
    tsZiLiao = named(new QWidget, "tsZiLiao");
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

    Splitter1 = named(new QSplitter(Qt::Vertical), "Splitter1");
    Splitter1->setHandleWidth(FormLayout::splitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(createPracticePages());
    Image1 = named(new QLabel, "Image1");
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

    TreeView = named(new ModeTree, "TreeView");
    TreeView->setIndentation(FormLayout::treeIndent);
    TreeView->addMode(QStringLiteral("分类练习"), ModeCodes::fenLei);
    TreeView->addMode(QStringLiteral("顺序练习"), ModeCodes::sunxu);
    TreeView->addMode(QStringLiteral("重点练习"), ModeCodes::zhongdian);
    TreeView->addMode(QStringLiteral("模拟考试"), ModeCodes::moNi);
    layout->addWidget(TreeView, 1);

    pnKey = named(new QWidget, "pnKey");
    pnKey->setFixedHeight(FormLayout::keyPanelHeight);
    edKey = named(new QLineEdit(QStringLiteral("A"), pnKey), "edKey");
    edKey->setGeometry(FormLayout::edKey);
    edKey->setFrame(false);
    edKey->setReadOnly(true);
    edKey->setFont(songFont(FormLayout::keyFontSize, true));
    edKey->setPalette(withColor(edKey->palette(), QPalette::Text, Qt::red));
    edKey->hide();
    cbShowDA = named(new QCheckBox(QStringLiteral("显示答案"), pnKey), "cbShowDA");
    cbShowDA->setLayoutDirection(Qt::RightToLeft); // caption to the left of the box
    cbShowDA->setGeometry(FormLayout::cbShowDA);
    layout->addWidget(pnKey);
    return column;
}

QWidget* TfrmMain::createControlStrip()
{
    auto* strip = named(new QWidget, "pnControl");
    strip->setFixedHeight(FormLayout::controlStripHeight);

    lbBiDui = named(new QLabel(QStringLiteral("必对题"), strip), "lbBiDui");
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
    lbPass = resultLabel(QStringLiteral("正 确"), "lbPass", Qt::darkGreen, strip);
    lbError = resultLabel(QStringLiteral("错 误"), "lbError", Qt::red, strip);

    named(new QLabel(QStringLiteral("第"), strip), "lbDi");
    lbSubjectsNo = named(new QLabel(QStringLiteral("1"), strip), "lbSubjectsNo");
    lbSubjectsNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    named(new QLabel(QStringLiteral("题"), strip), "lbTi");
    btGo = named(new QPushButton(QStringLiteral("转到"), strip), "btGo");
    mEdGo = named(new GoToBox(strip), "mEdGo");
    mEdGo->setValue(1);
    named(new QLabel(QStringLiteral("题"), strip), "lbGoTi");

    btPrior = named(new QPushButton(QStringLiteral("上一题"), strip), "btPrior");
    btNext = named(new QPushButton(QStringLiteral("下一题"), strip), "btNext");
    btOver = named(new QPushButton(QStringLiteral("结束"), strip), "btOver");

    for (const FormLayout::Placement& placement : FormLayout::controlStrip)
        strip->findChild<QWidget*>(QLatin1String(placement.name))->setGeometry(placement.rect);
    return strip;
}

PageControl* TfrmMain::createPracticePages()
{
    pcXunlian = named(new PageControl, "pcXunlian");
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
    auto* page = named(new QWidget, name);
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
    cbClassType = named(new QComboBox(bar), "cbClassType");
    cbClassType->setEditable(false);
    cbClassType->setGeometry(FormLayout::cbClassType);
    return bar;
}

QWidget* TfrmMain::createScoreBar()
{
    auto* bar = new QWidget;
    named(new QLabel(QStringLiteral("目前得分:"), bar), "lbScore")->setGeometry(FormLayout::scoreCaption);
    edFenShu = named(new QLineEdit(bar), "edFenShu");
    edFenShu->setReadOnly(true);
    edFenShu->setGeometry(FormLayout::edFenShu);
    return bar;
}

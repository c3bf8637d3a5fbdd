#include "support/FormDriver.h"

#include "practice/ModeTree.h"

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ModeSelection : public ::testing::Test
{
protected:
    ModeSelection()
    {
        bank.addClass(101, QStringLiteral("一"));
        bank.addClass(102, QStringLiteral("二"));
        bank.addSubjects(1, 3, 101);
        bank.addSubjects(10, 2, 102, 1);
        ui = std::make_unique<FormDriver>(bank);
    }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

} // namespace

TEST_F(ModeSelection, eachEntryShowsOnlyItsPageAndStartsItsMode)
{
    ui->clickTreeEntry(1);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsSunxu")});
    EXPECT_EQ(ui->get<QTabWidget>("pcXunlian")->currentWidget()->objectName(), QStringLiteral("tsSunxu"));
    EXPECT_EQ(ui->text("mmShunxu"), QStringLiteral("题目 1"));
    ui->click("btGo");
    ui->typeGoTo(QStringLiteral("    5"));
    ui->click("btGo");
    EXPECT_EQ(ui->text("mmShunxu"), QStringLiteral("题目 11")); // all questions, in the store's order

    ui->clickTreeEntry(2);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsZhongdian")});
    EXPECT_EQ(ui->text("mmZhongDian"), QStringLiteral("题目 10"));
    EXPECT_TRUE(ui->showing("lbBiDui"));
    ui->click("btNext");
    ui->click("btNext");
    ui->click("btNext");
    EXPECT_EQ(ui->number(), QStringLiteral("2"));

    ui->clickTreeEntry(0);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
    EXPECT_EQ(ui->question(), QStringLiteral("题目 1"));
    EXPECT_TRUE(ui->messages().boxes().isEmpty());
}

TEST_F(ModeSelection, clickingTheSelectedEntryOrEmptySpaceRestartsTheMode)
{
    ui->clickTreeEntry(1);
    ui->click("btNext");
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    ui->clickTreeEntry(1);
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    ui->click("btNext");
    ui->clickTreeEmptySpace();
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsSunxu")});
    EXPECT_EQ(ui->get<ModeTree>("TreeView")->selectedEntry()->text(0), QStringLiteral("顺序练习"));
}

TEST_F(ModeSelection, emptySpaceBeforeAnySelectionDoesNothing)
{
    ui->click("btNext");
    ui->clickTreeEmptySpace();
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
}

TEST_F(ModeSelection, aRightClickNeitherSelectsNorStarts)
{
    ui->click("btNext");
    ui->clickTreeEntry(1, Qt::RightButton);
    EXPECT_EQ(ui->get<ModeTree>("TreeView")->selectedEntry(), nullptr);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
}

TEST_F(ModeSelection, keysMoveTheSelectionWithoutStartingAndTheNextClickStartsIt)
{
    ui->clickTreeEntry(0);
    auto* tree = ui->get<ModeTree>("TreeView");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(tree->selectedEntry()->text(0), QStringLiteral("重点练习"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsFenLei")});
    ui->clickTreeEmptySpace();
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsZhongdian")});
}

TEST_F(ModeSelection, withSeveralSelectedTheEntryClickedLastCounts)
{
    auto* tree = ui->get<ModeTree>("TreeView");
    ui->clickTreeEntry(2);
    const QRect first = tree->visualItemRect(tree->topLevelItem(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, first.center());
    EXPECT_EQ(tree->selectedItems().size(), 2);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsSunxu")});
}

TEST_F(ModeSelection, theExamEntryAnnouncesTheExamBeforeItsPageShows)
{
    ui->clickTreeEntry(3);
    EXPECT_EQ(ui->messages().texts().value(0), QStringLiteral("模拟考试开始!"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsMoNi")});
}

TEST_F(ModeSelection, theMaterialsPageRoundTripKeepsTheQuestion)
{
    ui->clickTreeEntry(1);
    ui->click("btNext");
    ui->click("btB");
    const bool right = ui->showing("lbPass");
    auto* pcMain = ui->get<QTabWidget>("pcMain");
    pcMain->setCurrentWidget(ui->get("tsZiLiao"));
    pcMain->setCurrentWidget(ui->get("tsEducate"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsSunxu")});
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_EQ(ui->showing("lbPass"), right);
    EXPECT_EQ(ui->showing("lbError"), !right);
}

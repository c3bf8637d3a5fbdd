#include "support/FormDriver.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(CategoryBox, anEmptyCategoryShowsAnEmptyQuestionAndIgnoresAnswersAndNavigation)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("空的分类"));
    bank.addClass(102, QStringLiteral("有题的分类"));
    bank.addSubject({5, QStringLiteral("判断题"), 1, 1, 1, 102, makeBitmap(8, 8)});
    FormDriver ui(bank);
    EXPECT_EQ(ui.number(), QStringLiteral("-1"));

    // Show a true/false must-answer question with a picture, then go back to
    // the empty category: everything of the question disappears.
    auto* box = ui.get<QComboBox>("cbClassType");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(ui.question(), QStringLiteral("判断题"));
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(ui.question(), QString());
    EXPECT_EQ(ui.number(), QStringLiteral("-1"));
    EXPECT_TRUE(ui.get<QLabel>("Image1")->pixmap().isNull());
    EXPECT_TRUE(ui.showing("btA") && ui.showing("btB") && ui.showing("btC"));
    EXPECT_FALSE(ui.showing("btOk"));
    EXPECT_FALSE(ui.showing("lbBiDui"));
    EXPECT_EQ(ui.text("edKey"), QStringLiteral("A"));

    for (const char* name : {"btA", "btB", "btC", "btNext", "btPrior", "btGo"})
        ui.click(name);
    EXPECT_FALSE(ui.showing("lbPass") || ui.showing("lbError"));
    EXPECT_EQ(ui.number(), QStringLiteral("-1"));
    EXPECT_TRUE(ui.messages().boxes().isEmpty());
}

TEST(CategoryBox, onlyTheUsersChoiceReopensACategory)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("一"));
    bank.addClass(102, QStringLiteral("二"));
    bank.addClass(103, QStringLiteral("三"));
    bank.addSubjects(1, 2, 101);
    bank.addSubjects(10, 2, 102);
    bank.addSubjects(20, 2, 103);
    FormDriver ui(bank);
    auto* box = ui.get<QComboBox>("cbClassType");

    box->setCurrentIndex(2); // by program: nothing reopens
    EXPECT_EQ(ui.question(), QStringLiteral("题目 1"));

    ui.click("btNext");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up); // the user's arrow key
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(ui.question(), QStringLiteral("题目 10"));
    EXPECT_EQ(ui.number(), QStringLiteral("1"));

    QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel); // the user's wheel
    EXPECT_EQ(box->currentIndex(), 2);
    EXPECT_EQ(ui.question(), QStringLiteral("题目 20"));
}

TEST(CategoryBox, chapterHeadingsAreNotOfferedAndLeadingZerosAreDropped)
{
    TestBank bank;
    // Category numbers kept as text, as some banks store them.
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create table classes ([no] text, remark text)"));
    bank.exec(QStringLiteral("insert into classes values ('100', '章'), ('0101', '前导零'), ('200', '章二'), ('201', '节')"));
    bank.addSubject({1, QStringLiteral("一百零一类的题"), 0, 0, 0, 101, {}});
    FormDriver ui(bank);
    auto* box = ui.get<QComboBox>("cbClassType");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("前导零"));
    EXPECT_EQ(box->itemData(0).toInt(), 101);
    EXPECT_EQ(box->itemText(1), QStringLiteral("节"));
    EXPECT_EQ(ui.question(), QStringLiteral("一百零一类的题"));
}

TEST(CategoryBox, aCategoryNumberThatIsNotAnIntegerStopsTheList)
{
    TestBank bank;
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create table classes ([no] text, remark text)"));
    bank.exec(QStringLiteral("insert into classes values ('101', '一'), ('102x', '坏'), ('103', '三')"));
    bank.addSubjects(1, 3, 101);
    FormDriver ui(bank);
    EXPECT_EQ(ui.messages().texts(), QStringList{QStringLiteral("'102x' is not a valid integer value.")});
    auto* box = ui.get<QComboBox>("cbClassType");
    EXPECT_EQ(box->count(), 1);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(ui.question(), QString()); // the question set was not reopened
}

TEST(CategoryBox, anEmptyClassesTableLeavesTheBoxEmptyAndTheQuestionAsItWas)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("一"));
    bank.addSubjects(1, 3, 101);
    FormDriver ui(bank);
    ui.click("btNext");
    bank.exec(QStringLiteral("delete from classes"));
    ui.clickTreeEntry(0); // 分类练习 again
    EXPECT_EQ(ui.get<QComboBox>("cbClassType")->count(), 0);
    EXPECT_EQ(ui.question(), QStringLiteral("题目 2"));
    EXPECT_EQ(ui.number(), QStringLiteral("2"));
    ui.click("btNext");
    EXPECT_EQ(ui.number(), QStringLiteral("3"));
}

#include "support/FormDriver.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class Navigation : public ::testing::Test
{
protected:
    void start(int questions)
    {
        bank.addClass(101, QStringLiteral("道路通行规定"));
        bank.addSubjects(1, questions, 101);
        ui = std::make_unique<FormDriver>(bank);
    }

    QString question(int no) const { return QStringLiteral("题目 %1").arg(no); }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

} // namespace

TEST_F(Navigation, priorDoesNothingRightAfterAStartAndNextWalksOn)
{
    start(3);
    ui->click("btA");
    ui->click("btPrior");
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_TRUE(ui->showing("lbPass") || ui->showing("lbError")) << "Prior redisplayed the question";
    ui->click("btNext");
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_EQ(ui->question(), question(2));
    ui->click("btPrior");
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_EQ(ui->question(), question(1));
}

TEST_F(Navigation, theFirstNextOnTheLastQuestionRedisplaysItOnce)
{
    start(2);
    ui->click("btNext");
    ui->click("btA");
    ui->click("btNext"); // sets EOF and redisplays: the verdict is cleared
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
    EXPECT_FALSE(ui->showing("lbPass"));
    EXPECT_FALSE(ui->showing("lbError"));
    ui->click("btA");
    ui->click("btNext"); // EOF already set: nothing happens
    EXPECT_TRUE(ui->showing("lbPass") || ui->showing("lbError"));
    ui->click("btPrior");
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
}

TEST_F(Navigation, inASetOfOneQuestionNextAndPriorEachRedisplayItOnce)
{
    start(1);
    ui->click("btA");
    ui->click("btNext");
    EXPECT_FALSE(ui->showing("lbPass") || ui->showing("lbError"));
    ui->click("btA");
    ui->click("btNext");
    EXPECT_TRUE(ui->showing("lbPass") || ui->showing("lbError"));
    ui->click("btPrior");
    EXPECT_FALSE(ui->showing("lbPass") || ui->showing("lbError"));
    ui->click("btA");
    ui->click("btPrior");
    EXPECT_TRUE(ui->showing("lbPass") || ui->showing("lbError"));
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
}

TEST_F(Navigation, goToClampsToTheLastQuestionAndRedisplaysTheCurrentOne)
{
    start(250);
    ui->typeGoTo(QStringLiteral("99999"));
    ui->click("btGo");
    EXPECT_EQ(ui->number(), QStringLiteral("250"));
    EXPECT_EQ(ui->question(), question(250));

    ui->typeGoTo(QStringLiteral("  17 "));
    ui->click("btGo");
    EXPECT_EQ(ui->number(), QStringLiteral("17"));
    ui->click("btA");
    ui->click("btGo"); // the question already shown: redisplayed, verdict cleared
    EXPECT_EQ(ui->number(), QStringLiteral("17"));
    EXPECT_FALSE(ui->showing("lbPass") || ui->showing("lbError"));
    ui->click("btNext");
    EXPECT_EQ(ui->number(), QStringLiteral("18"));
    EXPECT_TRUE(ui->messages().boxes().isEmpty());
}

TEST_F(Navigation, goingToOneRightAfterAStartLeavesPriorWithoutEffect)
{
    start(5);
    ui->typeGoTo(QStringLiteral("    1"));
    ui->click("btGo");
    ui->click("btA");
    ui->click("btPrior");
    EXPECT_TRUE(ui->showing("lbPass") || ui->showing("lbError"));
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
}

TEST_F(Navigation, goToWithoutDigitsOrWithABlankBetweenThemReportsAndDoesNotMove)
{
    start(5);
    ui->click("btNext");
    ui->typeGoTo(QStringLiteral("     "));
    ui->click("btGo");
    ui->typeGoTo(QStringLiteral("1 2  "));
    ui->click("btGo");
    EXPECT_EQ(ui->messages().texts(), (QStringList{QStringLiteral("'' is not a valid integer value."),
                                                   QStringLiteral("'1 2' is not a valid integer value.")}));
    EXPECT_EQ(ui->number(), QStringLiteral("2"));
}

TEST_F(Navigation, goToZeroIsReportedByTheStore)
{
    start(5);
    ui->typeGoTo(QStringLiteral("    0"));
    ui->click("btGo");
    ASSERT_EQ(ui->messages().boxes().size(), 1);
    EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
}

#include "support/FormDriver.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString started = QStringLiteral("模拟考试开始!");
const QString passed = QStringLiteral("恭喜您，考试通过!");
const QString failed = QStringLiteral("很遗憾的告诉您没有通过，请再次努力!");

// A bank with `mustAnswer` must-answer questions numbered from 1001 and
// `ordinary` ordinary ones numbered from 1.
class MockExamInWindow : public ::testing::Test
{
protected:
    void start(int mustAnswer, int ordinary)
    {
        bank.addClass(101, QStringLiteral("一"));
        bank.addSubjects(1, ordinary, 101, 0);
        bank.addSubjects(1001, mustAnswer, 101, 1);
        ui = std::make_unique<FormDriver>(bank);
        ui->clickTreeEntry(3);
    }

    // Answers the questions one after the other: right where `right` says so,
    // wrong otherwise. Returns the question texts in the order asked.
    QStringList answerAll(const std::function<bool(int index)>& right)
    {
        QStringList asked;
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(ui->number(), QString::number(i + 1));
            asked << ui->text("mmMoNi");
            if (right(i))
                ui->answerRight();
            else
                ui->answerWrong();
        }
        return asked;
    }

    QStringList messagesAfterStart() const { return ui->messages().texts().mid(1); }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

} // namespace

TEST_F(MockExamInWindow, asksEightMustAnswerQuestionsThenNinetyTwoOrdinaryOnesAllDistinct)
{
    start(16, 101);
    EXPECT_EQ(ui->messages().texts(), QStringList{started});
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsMoNi")});
    EXPECT_EQ(ui->text("edFenShu"), QString());

    QStringList asked;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(ui->showing("lbBiDui"), i < 8) << i;
        EXPECT_EQ(ui->get<QPushButton>("btGo")->isEnabled(), i == 0) << i;
        asked << ui->text("mmMoNi");
        ui->answerRight();
    }
    EXPECT_EQ(QSet<QString>(asked.begin(), asked.end()).size(), 100);
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("100"));
    EXPECT_EQ(messagesAfterStart(), QStringList{passed});
}

TEST_F(MockExamInWindow, withFifteenMustAnswerQuestionsTheExamIsAllOrdinary)
{
    start(15, 101);
    const QStringList asked = answerAll([](int) { return true; });
    for (const QString& text : asked)
        EXPECT_LT(text.mid(3).toInt(), 1000) << text.toStdString();
    EXPECT_EQ(QSet<QString>(asked.begin(), asked.end()).size(), 100);
}

TEST_F(MockExamInWindow, withOneHundredOrdinaryQuestionsNoQuestionIsLoaded)
{
    bank.addClass(101, QStringLiteral("一"));
    bank.addSubjects(1, 100, 101, 0);
    bank.addSubjects(1001, 16, 101, 1);
    FormDriver ui(bank);
    ui.click("btNext");
    ui.clickTreeEntry(3);
    EXPECT_EQ(ui.messages().texts(), QStringList{started});
    // The display keeps the question shown before; nothing answers.
    EXPECT_EQ(ui.text("mmMoNi"), QStringLiteral("题目 2"));
    EXPECT_EQ(ui.number(), QStringLiteral("1"));
    ui.click("btA");
    ui.click("btNext");
    EXPECT_FALSE(ui.showing("lbPass") || ui.showing("lbError"));
    ui.click("btPrior");
    ui.click("btGo");
    EXPECT_EQ(ui.messages().texts(), (QStringList{started, QStringLiteral("测试中，不能后退!"),
                                                  QStringLiteral("测试中，不能跳过!")}));
}

TEST_F(MockExamInWindow, withoutAnyNumberDrawnTheListErrorIsShownWithoutAFullStop)
{
    start(15, 100);
    ASSERT_EQ(ui->messages().boxes().size(), 2);
    EXPECT_EQ(ui->messages().boxes()[1].text, QStringLiteral("List index out of bounds (0)"));
    EXPECT_EQ(ui->messages().boxes()[1].icon, QMessageBox::Critical);
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsMoNi")});
    ui->click("btNext");
    ui->click("btA");
    EXPECT_EQ(ui->messages().boxes().size(), 2);
}

TEST_F(MockExamInWindow, ninetyRightAnswersPassAndEightyNineFail)
{
    start(16, 101);
    answerAll([](int i) { return i < 90; });
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("90"));
    EXPECT_EQ(messagesAfterStart().last(), passed);

    ui->clickTreeEntry(3);
    EXPECT_EQ(ui->text("edFenShu"), QString());
    answerAll([](int i) { return i < 89; });
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("89"));
    EXPECT_EQ(ui->messages().texts().last(), failed);
}

TEST_F(MockExamInWindow, aWrongOrdinaryAnswerShowsTheKeyAndMovesOnWithoutAPoint)
{
    start(16, 101);
    for (int i = 0; i < 8; ++i)
        ui->answerRight();
    const QString key = ui->text("edKey");
    ui->answerWrong();
    EXPECT_EQ(messagesAfterStart(), QStringList{QStringLiteral("正确答案是:") + key});
    EXPECT_EQ(ui->number(), QStringLiteral("10"));
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("8"));
}

TEST_F(MockExamInWindow, aWrongMustAnswerRestartsTheExamWithAFreshDraw)
{
    start(40, 300);
    ui->answerRight();
    ui->answerRight();
    const QString third = ui->text("mmMoNi");
    const QString key = ui->text("edKey");
    ui->answerWrong();
    EXPECT_EQ(messagesAfterStart(), (QStringList{QStringLiteral("正确答案是:") + key,
                                                 QStringLiteral("必答题错误，你已经没有机会了!")}));
    EXPECT_EQ(ui->text("edFenShu"), QString());
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_TRUE(ui->showing("lbBiDui"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsMoNi")});

    // The new exam is a full one of its own.
    const QStringList asked = answerAll([](int) { return true; });
    EXPECT_EQ(QSet<QString>(asked.begin(), asked.end()).size(), 100);
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("100"));
}

TEST_F(MockExamInWindow, skippingEveryQuestionLeavesTheScoreEmptyAndFails)
{
    start(16, 101);
    for (int i = 0; i < 100; ++i)
        ui->click("btNext");
    EXPECT_EQ(ui->text("edFenShu"), QString());
    EXPECT_EQ(messagesAfterStart(), QStringList{failed});
}

TEST_F(MockExamInWindow, afterTheVerdictTheDisplayIsEmptyAndNextGivesTheVerdictAgain)
{
    start(16, 101);
    answerAll([](int i) { return i < 8 || i % 2 == 0; }); // must-answer questions come first
    EXPECT_EQ(messagesAfterStart().last(), failed);
    EXPECT_EQ(ui->text("mmMoNi"), QString());
    EXPECT_EQ(ui->number(), QStringLiteral("100"));
    EXPECT_FALSE(ui->get<QPushButton>("btGo")->isEnabled());
    EXPECT_TRUE(ui->showing("btA") && ui->showing("btB") && ui->showing("btC"));
    EXPECT_EQ(ui->text("edKey"), QStringLiteral("A"));
    const int shown = int(ui->messages().boxes().size());
    ui->click("btA");
    EXPECT_EQ(ui->messages().boxes().size(), shown);
    ui->click("btNext");
    EXPECT_EQ(ui->messages().texts().last(), failed);
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("54"));
}

TEST_F(MockExamInWindow, goingBackAndJumpingAreRefused)
{
    start(16, 101);
    ui->click("btPrior");
    ui->click("btGo");
    EXPECT_EQ(messagesAfterStart(), (QStringList{QStringLiteral("测试中，不能后退!"), QStringLiteral("测试中，不能跳过!")}));
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
}

TEST_F(MockExamInWindow, startingHidesTheKeyWhichMayBeShownAgain)
{
    bank.addClass(101, QStringLiteral("一"));
    bank.addSubjects(1, 120, 101, 0);
    FormDriver ui(bank);
    auto* showAnswer = ui.get<QCheckBox>("cbShowDA");
    showAnswer->click();
    EXPECT_TRUE(ui.showing("edKey"));
    ui.clickTreeEntry(3);
    EXPECT_FALSE(showAnswer->isChecked());
    EXPECT_FALSE(ui.showing("edKey"));
    showAnswer->click();
    EXPECT_TRUE(ui.showing("edKey"));
}

TEST_F(MockExamInWindow, aTreeClickEndsTheExamWithoutAVerdictAndKeepsTheScore)
{
    start(16, 101);
    for (int i = 0; i < 12; ++i)
        ui->answerRight();
    ui->clickTreeEntry(1);
    EXPECT_EQ(messagesAfterStart(), QStringList{});
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("12"));
    EXPECT_EQ(ui->visiblePracticePages(), QStringList{QStringLiteral("tsSunxu")});
    ui->click("btNext");
    ui->click("btPrior"); // practice again: going back is allowed
    EXPECT_EQ(ui->number(), QStringLiteral("1"));
    EXPECT_TRUE(ui->get<QPushButton>("btGo")->isEnabled());
    EXPECT_EQ(messagesAfterStart(), QStringList{});
}

TEST_F(MockExamInWindow, leavingForTheMaterialsPageKeepsTheRunningExam)
{
    start(16, 101);
    ui->answerRight();
    ui->answerRight();
    auto* pcMain = ui->get<QTabWidget>("pcMain");
    pcMain->setCurrentWidget(ui->get("tsZiLiao"));
    pcMain->setCurrentWidget(ui->get("tsEducate"));
    EXPECT_EQ(ui->number(), QStringLiteral("3"));
    EXPECT_EQ(ui->text("edFenShu"), QStringLiteral("2"));
    ui->click("btPrior");
    EXPECT_EQ(messagesAfterStart(), QStringList{QStringLiteral("测试中，不能后退!")});
}

TEST_F(MockExamInWindow, aFixedSeedRepeatsTheDraw)
{
    start(16, 101);
    const QString first = ui->text("mmMoNi");
    ui->answerRight();
    const QString second = ui->text("mmMoNi");
    ui->clickTreeEntry(3);
    EXPECT_EQ(ui->text("mmMoNi"), first);
    ui->answerRight();
    EXPECT_EQ(ui->text("mmMoNi"), second);
}

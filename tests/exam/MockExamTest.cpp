#include "exam/MockExam.h"
#include "store/Database.h"
#include "store/RecordSet.h"

#include "support/TestBank.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// The mock exam's logic over a test bank, without a window.
class MockExamUnit : public ::testing::Test
{
protected:
    QStringList drawOn(int mustAnswer, int ordinary)
    {
        bank.addSubjects(1, mustAnswer, 101, 1);
        bank.addSubjects(1001, ordinary, 101, 0);
        Database db(bank.path());
        RecordSet scratch(db);
        exam.start();
        exam.draw(scratch);
        EXPECT_FALSE(scratch.isOpen());
        return exam.numbers();
    }

    TestBank bank;
    MockExam exam{ExamRandom(42)};
};

bool isMustAnswer(const QString& number)
{
    return number.toInt() < 1001;
}

} // namespace

TEST_F(MockExamUnit, drawsEightMustAnswerQuestionsFirstThenFillsToAHundredAllDistinct)
{
    const QStringList numbers = drawOn(16, 101);
    ASSERT_EQ(numbers.size(), 100);
    EXPECT_EQ(QSet<QString>(numbers.begin(), numbers.end()).size(), 100);
    for (int i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(isMustAnswer(numbers[i]), i < 8) << i;
    EXPECT_TRUE(exam.loadsQuestions());
    EXPECT_EQ(exam.firstNumber(), numbers.first());
}

TEST_F(MockExamUnit, theBanksSizeDecidesWhatIsDrawn)
{
    const struct
    {
        int mustAnswer;
        int ordinary;
        int drawn;
        int drawnMustAnswer;
    } banks[] = {{15, 101, 100, 0}, {16, 100, 8, 8}, {15, 100, 0, 0}};
    for (const auto& b : banks) {
        TestBank fresh;
        fresh.addSubjects(1, b.mustAnswer, 101, 1);
        fresh.addSubjects(1001, b.ordinary, 101, 0);
        Database db(fresh.path());
        RecordSet scratch(db);
        exam.start();
        exam.draw(scratch);
        const QStringList numbers = exam.numbers();
        EXPECT_EQ(numbers.size(), b.drawn) << b.mustAnswer << "/" << b.ordinary;
        EXPECT_EQ(std::count_if(numbers.begin(), numbers.end(), isMustAnswer), b.drawnMustAnswer);
        EXPECT_FALSE(exam.loadsQuestions() && b.drawn != 100);
    }
    EXPECT_THROW(exam.firstNumber(), std::out_of_range);
}

TEST_F(MockExamUnit, stepsThroughTheNumbersInOrderThenGivesTheVerdictFromTheScoreShown)
{
    const QStringList numbers = drawOn(0, 101);
    for (int i = 0; i + 1 < numbers.size(); ++i) {
        const MockExam::Step step = exam.stepAfter(numbers[i], QString());
        EXPECT_EQ(step.number, numbers[i + 1]);
        EXPECT_EQ(step.position, i + 2);
        EXPECT_FALSE(step.verdict);
    }
    EXPECT_EQ(exam.stepAfter(numbers.last(), QStringLiteral("90")).verdict, QStringLiteral("恭喜您，考试通过!"));
    EXPECT_EQ(exam.stepAfter(numbers.last(), QStringLiteral("89")).verdict,
              QStringLiteral("很遗憾的告诉您没有通过，请再次努力!"));
    // A number not in the exam (the empty display after the verdict) ends it again.
    EXPECT_TRUE(exam.stepAfter(QString(), QStringLiteral("95")).verdict);
}

TEST_F(MockExamUnit, aRightAnswerScoresAndAWrongMustAnswerAnswerRestarts)
{
    exam.start();
    EXPECT_TRUE(exam.isRunning());
    EXPECT_EQ(exam.answer(true, true), MockExam::AfterAnswer::NextQuestion);
    EXPECT_EQ(exam.answer(true, false), MockExam::AfterAnswer::NextQuestion);
    EXPECT_EQ(exam.answer(false, false), MockExam::AfterAnswer::ShowKeyThenNext);
    EXPECT_EQ(exam.answer(false, true), MockExam::AfterAnswer::ShowKeyThenRestart);
    EXPECT_EQ(exam.score(), 2);

    exam.start(); // a new exam keeps nothing of the last
    EXPECT_EQ(exam.score(), 0);
    exam.stop();
    EXPECT_FALSE(exam.isRunning());
}

#include "practice/QuestionSet.h"
#include "store/RecordSet.h"

#include "support/BankTest.h"

#include <gtest/gtest.h>

namespace {

// The units of the practice modes over a test bank, without a window.
using PracticeUnits = BankTest;

} // namespace

TEST_F(PracticeUnits, theQuestionSetReadsTheCurrentQuestionsFields)
{
    bank.addSubject({7, QStringLiteral("单选题"), 2, 0, 1, 101, makeBitmap(2, 2)});
    bank.addSubject({8, QStringLiteral("判断题"), 1, 1, 0, 102, {}});
    RecordSet set(db());
    QuestionSet questions(set);

    questions.openCategory(QStringLiteral("101"));
    EXPECT_EQ(questions.text(), QStringLiteral("单选题"));
    EXPECT_EQ(questions.answerCode(), 2);
    EXPECT_EQ(questions.type(), 0);
    EXPECT_TRUE(questions.isMustAnswer());
    EXPECT_EQ(questions.picture(), makeBitmap(2, 2));
    EXPECT_EQ(questions.number(), QStringLiteral("7"));
    EXPECT_TRUE(questions.isRight(2));
    EXPECT_FALSE(questions.isRight(0));

    questions.openNumber(QStringLiteral("8"));
    EXPECT_EQ(questions.text(), QStringLiteral("判断题"));
    EXPECT_FALSE(questions.isMustAnswer());
    EXPECT_TRUE(questions.picture().isEmpty());

    questions.openMustAnswer();
    EXPECT_EQ(questions.number(), QStringLiteral("7"));
}

TEST_F(PracticeUnits, movingStopsAtEitherEndAfterShowingTheSameQuestionOnceMore)
{
    bank.addSubjects(1, 3, 101);
    RecordSet set(db());
    QuestionSet questions(set);
    questions.openAll();

    // Each step: the move, whether the question is shown again, and where it stands.
    const struct
    {
        char move;
        bool shows;
        int position;
    } steps[] = {
        {'<', false, 1}, {'>', true, 2}, {'>', true, 3}, {'>', true, 3}, {'>', false, 3},
        {'<', true, 2}, {'g', true, 3}, {'<', true, 2},
    };
    for (const auto& step : steps) {
        const bool shows = step.move == '<' ? questions.prior()
                         : step.move == '>' ? questions.next()
                                            : questions.goTo(99999); // beyond the last: the last
        EXPECT_EQ(shows, step.shows) << step.move;
        EXPECT_EQ(questions.position(), step.position) << step.move;
    }
}

TEST_F(PracticeUnits, anEmptyOrClosedSetHasNothingToAnswerOrMoveTo)
{
    RecordSet set(db());
    QuestionSet questions(set);
    EXPECT_FALSE(questions.isBrowsing());
    EXPECT_FALSE(questions.next());
    EXPECT_FALSE(questions.goTo(1));

    questions.openNumber(QString()); // matches no question
    EXPECT_TRUE(questions.isBrowsing());
    EXPECT_FALSE(questions.hasQuestion());
    EXPECT_FALSE(questions.prior());
    EXPECT_FALSE(questions.next());
    EXPECT_FALSE(questions.goTo(1));
    EXPECT_EQ(questions.position(), -1);
    EXPECT_EQ(questions.text(), QString());
    EXPECT_EQ(questions.answerCode(), 0);
}

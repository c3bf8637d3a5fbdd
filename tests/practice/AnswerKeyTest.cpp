#include "practice/AnswerKey.h"

#include <gtest/gtest.h>

TEST(AnswerKey, namesTheButtonOfEachCodeForEachType)
{
    EXPECT_EQ(answerKeyText(0, 0), QStringLiteral("A"));
    EXPECT_EQ(answerKeyText(1, 0), QStringLiteral("B"));
    EXPECT_EQ(answerKeyText(2, 0), QStringLiteral("C"));
    EXPECT_EQ(answerKeyText(0, 1), QStringLiteral("对"));
    EXPECT_EQ(answerKeyText(1, 5), QStringLiteral("错"));
    EXPECT_EQ(answerKeyText(2, 1), QStringLiteral("C"));
    EXPECT_EQ(answerKeyText(-1, 0), QStringLiteral("C"));
    EXPECT_EQ(answerKeyText(7, -1), QStringLiteral("C"));
}

#include "exam/ExamDraw.h"
#include "exam/ExamRandom.h"
#include "exam/ExamVerdict.h"

#include <QSet>

#include <gtest/gtest.h>

TEST(ExamDraw, drawsTheWantedNumberOfDistinctPositionsInRange)
{
    ExamRandom random(7);
    for (const auto& [population, count] : {std::pair{16, 8}, std::pair{101, 100}, std::pair{100000, 92}}) {
        const QList<int> drawn = drawDistinctPositions(population, count, random);
        EXPECT_EQ(drawn.size(), count);
        EXPECT_EQ(QSet<int>(drawn.begin(), drawn.end()).size(), count);
        for (const int position : drawn) {
            EXPECT_GE(position, 0);
            EXPECT_LT(position, population);
        }
    }
}

TEST(ExamDraw, everyPositionCanBeDrawn)
{
    ExamRandom random(11);
    QSet<int> seen;
    for (int i = 0; i < 200; ++i)
        for (const int position : drawDistinctPositions(16, 8, random))
            seen.insert(position);
    EXPECT_EQ(seen.size(), 16);
}

TEST(ExamRandom, aFixedSeedRepeatsAndTheClockVaries)
{
    ExamRandom fixed(99);
    fixed.seedFromClock();
    const QList<int> first = drawDistinctPositions(1000, 50, fixed);
    fixed.seedFromClock();
    EXPECT_EQ(drawDistinctPositions(1000, 50, fixed), first);

    ExamRandom clock;
    const QList<int> a = drawDistinctPositions(1000000, 20, clock);
    clock.seedFromClock();
    EXPECT_NE(drawDistinctPositions(1000000, 20, clock), a);
}

TEST(ExamVerdict, passesAtNinetyAndCountsAnUnreadableScoreAsZero)
{
    const QString pass = QStringLiteral("恭喜您，考试通过!");
    const QString fail = QStringLiteral("很遗憾的告诉您没有通过，请再次努力!");
    EXPECT_EQ(examVerdict(QStringLiteral("90")), pass);
    EXPECT_EQ(examVerdict(QStringLiteral(" 100 ")), pass);
    EXPECT_EQ(examVerdict(QStringLiteral("89")), fail);
    EXPECT_EQ(examVerdict(QString()), fail);
    EXPECT_EQ(examVerdict(QStringLiteral("九十")), fail);
}

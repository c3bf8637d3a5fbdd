#include "DurablePosts.h"

#include "support/TestBank.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr int kills = 120;

// The numbers of the posts the poster reported as committed, from complete
// lines of its output only (a kill can cut the last line short).
QList<qint64> completedPosts(const QByteArray& output)
{
    QList<qint64> numbers;
    const QList<QByteArray> lines = output.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        numbers << lines[i].toLongLong();
    return numbers;
}

// Kills the poster at a random moment after its first post, and gives the
// numbers it reported.
QList<qint64> postUntilKilled(const QString& bank, qint64 firstNumber, QRandomGenerator& random)
{
    QProcess poster;
    poster.start(QStringLiteral(QUENHAR_BANK_POSTER), {bank, QString::number(firstNumber)});
    if (!poster.waitForReadyRead(30000))
        throw std::runtime_error("the poster did not post: " + poster.readAllStandardError().toStdString());
    QThread::msleep(random.bounded(1, 25));
    poster.kill();
    poster.waitForFinished(30000);
    return completedPosts(poster.readAllStandardOutput());
}

class BankAfterKill
{
public:
    explicit BankAfterKill(TestBank& bank) : bank_(bank) {}

    QString integrity() { return bank_.scalar(QStringLiteral("pragma integrity_check")); }

    bool holdsInsert(qint64 number)
    {
        return bank_.scalar(QStringLiteral("select count(*) from ziliao where title = '%1' and memo = '%2'")
                                .arg(DurablePosts::title(number), DurablePosts::text(number)))
            == QStringLiteral("1");
    }

    // The number of the edit that entry 1 holds.
    qint64 editHeld()
    {
        const QString memo = bank_.scalar(QStringLiteral("select memo from ziliao where id = 1"));
        const qint64 number = memo.section(QLatin1Char(' '), 1, 1).toLongLong();
        return memo == DurablePosts::text(number) ? number : -1;
    }

private:
    TestBank& bank_;
};

} // namespace

TEST(Durability, killingThePosterAtRandomMomentsLeavesASoundBankWithEveryCompletedPost)
{
    TestBank bank;
    bank.addMaterial(QStringLiteral("diary"), QStringLiteral("first"));
    BankAfterKill check(bank);
    QRandomGenerator random(20240611);

    QList<qint64> inserts;
    std::optional<qint64> lastEdit;
    qint64 next = 1;
    int killsWithPostsInFlight = 0;
    int killsMidWrite = 0; // a journal was left: the kill cut a write short
    for (int kill = 0; kill < kills; ++kill) {
        const QList<qint64> completed = postUntilKilled(bank.path(), next, random);
        ASSERT_FALSE(completed.isEmpty()) << "kill " << kill;
        for (qint64 number : completed) {
            if (DurablePosts::isInsert(number))
                inserts << number;
            else
                lastEdit = number;
        }

        if (QFile::exists(bank.path() + QStringLiteral("-journal")))
            ++killsMidWrite;
        // Opening the bank here also rolls back a write the kill cut short,
        // as the program's next start would.
        ASSERT_EQ(check.integrity(), QStringLiteral("ok")) << "kill " << kill;
        for (qint64 number : inserts)
            ASSERT_TRUE(check.holdsInsert(number)) << "post " << number << " is lost after kill " << kill;
        // The edit held is the last one reported, or one the kill caught
        // after its commit but before its report.
        const qint64 held = check.editHeld();
        ASSERT_GE(held, *lastEdit) << "kill " << kill;
        ASSERT_LE(held, completed.last() + 2) << "kill " << kill;

        // A post that was committed but not reported may be there too; the
        // next run starts after it, so that no number is written twice.
        const qint64 unreported = completed.last() + 1;
        if (DurablePosts::isInsert(unreported) ? check.holdsInsert(unreported) : held == unreported) {
            ++killsWithPostsInFlight;
            if (DurablePosts::isInsert(unreported))
                inserts << unreported;
            else
                lastEdit = unreported;
        }
        next = unreported + 1;
    }
    EXPECT_EQ(bank.scalar(QStringLiteral("select count(*) from ziliao")), QString::number(inserts.size() + 1));
    RecordProperty("kills", kills);
    RecordProperty("posts", int(next - 1));
    RecordProperty("killsBetweenCommitAndReport", killsWithPostsInFlight);
    RecordProperty("killsMidWrite", killsMidWrite);
}

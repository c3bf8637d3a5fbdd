#include "DurablePosts.h"

#include "support/FormDriver.h"
#include "support/TestBank.h"

#include "../materials/TypeText.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTabWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

// One poster: what it posted, as far as the bank must hold it.
struct Poster
{
    int entry;             // the entry it edits
    qint64 next;           // the number of its next post
    QList<qint64> inserts; // completed inserts
    std::optional<qint64> lastEdit;
    QProcess process{};
};

// Starts every poster, kills each at a random moment after its first post,
// and gives the numbers each reported.
QList<QList<qint64>> postUntilKilled(const QString& bank, QList<Poster*>& posters, QRandomGenerator& random)
{
    for (Poster* poster : posters)
        poster->process.start(QStringLiteral(QUENHAR_BANK_POSTER),
                              {bank, QString::number(poster->next), QString::number(poster->entry)});
    for (Poster* poster : posters)
        if (!poster->process.waitForReadyRead(30000))
            throw std::runtime_error("a poster did not post: " + poster->process.readAllStandardError().toStdString());
    QThread::msleep(random.bounded(1, 25));
    QList<QList<qint64>> completed;
    for (Poster* poster : posters) {
        poster->process.kill();
        poster->process.waitForFinished(30000);
        completed << completedPosts(poster->process.readAllStandardOutput());
    }
    return completed;
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

    // The number of the edit that an entry holds.
    qint64 editHeld(int entry)
    {
        const QString memo = bank_.scalar(QStringLiteral("select memo from ziliao where id = %1").arg(entry));
        const qint64 number = memo.section(QLatin1Char(' '), 1, 1).toLongLong();
        return memo == DurablePosts::text(number) ? number : -1;
    }

private:
    TestBank& bank_;
};

struct KillFigures
{
    qint64 posts = 0;
    int killsWithPostsInFlight = 0;
    int killsMidWrite = 0;
};

// Runs the posters together `rounds` times, killing them at random moments,
// and checks after every round that the bank is sound and holds every post
// that completed.
KillFigures killRepeatedly(TestBank& bank, QList<Poster*> posters, int rounds, quint32 seed)
{
    BankAfterKill check(bank);
    QRandomGenerator random(seed);
    KillFigures figures;
    for (int round = 0; round < rounds; ++round) {
        const QList<QList<qint64>> completed = postUntilKilled(bank.path(), posters, random);
        if (QFile::exists(bank.path() + QStringLiteral("-journal")))
            ++figures.killsMidWrite; // a kill cut a write short
        // Opening the bank here also rolls back a write the kill cut short,
        // as the program's next start would.
        EXPECT_EQ(check.integrity(), QStringLiteral("ok")) << "round " << round;
        for (int p = 0; p < posters.size(); ++p) {
            Poster& poster = *posters[p];
            EXPECT_FALSE(completed[p].isEmpty()) << "round " << round;
            if (completed[p].isEmpty())
                return figures;
            for (qint64 number : completed[p]) {
                if (DurablePosts::isInsert(number))
                    poster.inserts << number;
                else
                    poster.lastEdit = number;
            }
            for (qint64 number : poster.inserts)
                EXPECT_TRUE(check.holdsInsert(number)) << "post " << number << " is lost after round " << round;
            // The edit held is the last one reported, or one the kill caught
            // after its commit but before its report.
            const qint64 held = check.editHeld(poster.entry);
            EXPECT_GE(held, *poster.lastEdit) << "round " << round;
            EXPECT_LE(held, completed[p].last() + 2) << "round " << round;

            // A post that was committed but not reported may be there too;
            // the next run starts after it, so that no number is written twice.
            const qint64 unreported = completed[p].last() + 1;
            if (DurablePosts::isInsert(unreported) ? check.holdsInsert(unreported) : held == unreported) {
                ++figures.killsWithPostsInFlight;
                if (DurablePosts::isInsert(unreported))
                    poster.inserts << unreported;
                else
                    poster.lastEdit = unreported;
            }
            figures.posts += unreported - poster.next;
            poster.next = unreported + 1;
        }
    }
    return figures;
}

} // namespace

TEST(Durability, killingThePosterAtRandomMomentsLeavesASoundBankWithEveryCompletedPost)
{
    TestBank bank;
    bank.addMaterial(QStringLiteral("diary"), QStringLiteral("first"));
    Poster poster{1, 1};
    const KillFigures figures = killRepeatedly(bank, {&poster}, kills, 20240611);
    EXPECT_EQ(bank.scalar(QStringLiteral("select count(*) from ziliao")), QString::number(poster.inserts.size() + 1));
    RecordProperty("kills", kills);
    RecordProperty("posts", int(figures.posts));
    RecordProperty("killsBetweenCommitAndReport", figures.killsWithPostsInFlight);
    RecordProperty("killsMidWrite", figures.killsMidWrite);
}

TEST(Durability, twoPostersKilledTogetherAtRandomMomentsLoseNoCompletedPost)
{
    TestBank bank;
    bank.addMaterial(QStringLiteral("diary A"), QStringLiteral("first"));
    bank.addMaterial(QStringLiteral("diary B"), QStringLiteral("first"));
    Poster a{1, 1};
    Poster b{2, 1000001};
    const KillFigures figures = killRepeatedly(bank, {&a, &b}, kills / 3, 20261207);
    EXPECT_EQ(bank.scalar(QStringLiteral("select count(*) from ziliao")),
              QString::number(a.inserts.size() + b.inserts.size() + 2));
    RecordProperty("rounds", kills / 3);
    RecordProperty("posts", int(figures.posts));
    RecordProperty("killsMidWrite", figures.killsMidWrite);
}

TEST(Durability, aBankReplacedUnderARunningWindowIsNeverWrittenAndTheTypedTextStays)
{
    // How the bank is replaced, and the box the pending text then meets.
    const struct
    {
        const char* how;
        bool inPlace; // the same file's bytes overwritten, as cp does
        QMessageBox::Icon box;
    } replacements[] = {{"renamed over", false, QMessageBox::Warning}, {"copied in place", true, QMessageBox::Question}};
    for (const auto& replacement : replacements) {
        TestBank bank;
        TestBank other;
        bank.addMaterial(QStringLiteral("资料"), QStringLiteral("原文"));
        other.addMaterial(QStringLiteral("另一个题库的资料"), QStringLiteral("别动"));
        other.exec(QStringLiteral("pragma journal_mode = delete"));
        FormDriver ui(bank);
        ui.get<QTabWidget>("pcMain")->setCurrentWidget(ui.get("tsZiLiao"));
        typeText(ui.get("DBMemo2"), QStringLiteral("改"));

        QFile source(other.path());
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QByteArray otherBytes = source.readAll();
        if (replacement.inPlace) {
            QFile target(bank.path());
            ASSERT_TRUE(target.open(QIODevice::WriteOnly)); // truncates the same file
            target.write(otherBytes);
        } else {
            QFile::remove(bank.path() + QStringLiteral(".new"));
            ASSERT_TRUE(QFile::copy(other.path(), bank.path() + QStringLiteral(".new")));
#ifdef Q_OS_WIN
            // Windows refuses to replace a file that a program holds open
            // without sharing its deletion, as SQLite holds the bank: the
            // bank cannot be swapped under the program there.
            EXPECT_FALSE(MoveFileExW(QDir::toNativeSeparators(bank.path() + QStringLiteral(".new")).toStdWString().c_str(),
                                     QDir::toNativeSeparators(bank.path()).toStdWString().c_str(),
                                     MOVEFILE_REPLACE_EXISTING));
            ui.messages().answerWith(QMessageBox::Discard);
            continue;
#endif
            ASSERT_TRUE(std::rename(QFile::encodeName(bank.path() + QStringLiteral(".new")).constData(),
                                    QFile::encodeName(bank.path()).constData())
                        == 0);
        }

        // Back to the text (or, in place, the other program's version).
        ui.messages().answerWith(replacement.inPlace ? QMessageBox::Discard : QMessageBox::Cancel);
        ui.form().close();
        ASSERT_FALSE(ui.messages().boxes().isEmpty()) << replacement.how;
        EXPECT_EQ(ui.messages().boxes()[0].icon, replacement.box) << replacement.how;
        QFile replaced(bank.path());
        ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
        EXPECT_EQ(replaced.readAll(), otherBytes) << replacement.how << ": the bank now there was written";
        EXPECT_EQ(ui.text("DBMemo2"), replacement.inPlace ? QStringLiteral("别动") : QStringLiteral("改原文"))
            << replacement.how;
    }
}

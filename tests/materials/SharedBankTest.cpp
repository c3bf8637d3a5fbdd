// The window and another program on one bank, in a folder with a Chinese
// name as a user's often is: the other program writes, or holds the bank
// locked, between the window's read of an entry and its post.

#include "support/FormDriver.h"

#include "../malformed/DurablePosts.h"
#include "TypeText.h"

#include <QProcess>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class SharedBankTest : public ::testing::Test
{
protected:
    SharedBankTest()
    {
        bank.addMaterial(QStringLiteral("资料"), QStringLiteral("原文"));
        bank.addMaterial(QStringLiteral("第二条"), QStringLiteral("别的"));
    }

    // The window on the materials page, with "改" typed into entry 1.
    std::unique_ptr<FormDriver> windowWithATypedChange()
    {
        auto ui = std::make_unique<FormDriver>(bank);
        ui->get<QTabWidget>("pcMain")->setCurrentWidget(ui->get("tsZiLiao"));
        typeText(ui->get("DBMemo2"), QStringLiteral("改"));
        return ui;
    }

    // Another program edits entry 1 through the store: the poster, making
    // that one post and ending by itself (a kill could land after a later
    // post on a slow machine).
    QString editedByAnotherProgram()
    {
        QProcess poster;
        poster.start(builtProgram(QUENHAR_BANK_POSTER),
                     {bank.path(), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")});
        if (!poster.waitForFinished(30000) || poster.exitStatus() != QProcess::NormalExit || poster.exitCode() != 0)
            throw std::runtime_error("the poster did not post: " + poster.readAllStandardError().toStdString());
        return memo();
    }

    QString memo() { return bank.scalar(QStringLiteral("select memo from ziliao where id = 1")); }

    TestBank bank{true, TestBank::Folder::ChineseName};
};

} // namespace

TEST_F(SharedBankTest, aPostOverAnEntryAnotherProgramEditedSinceItWasReadAsksFirst)
{
    // Each answer to the question, and whose text the file then holds.
    for (const QMessageBox::StandardButton answer : {QMessageBox::Save, QMessageBox::Discard}) {
        bank.exec(QStringLiteral("update ziliao set memo = '原文' where id = 1"));
        const std::unique_ptr<FormDriver> ui = windowWithATypedChange();
        const QString theirs = editedByAnotherProgram();
        ASSERT_EQ(theirs, DurablePosts::text(1));

        ui->messages().answerWith(answer);
        ui->get<QToolButton>("DBNavigator3Next")->click(); // moving on posts
        ASSERT_EQ(ui->messages().boxes().size(), 1) << ui->messages().texts().join('|').toStdString();
        EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Question);
        EXPECT_TRUE(ui->messages().boxes()[0].text.contains(QStringLiteral("另一个程序修改")));
        EXPECT_EQ(memo(), answer == QMessageBox::Save ? QStringLiteral("改原文") : theirs);
    }
}

TEST_F(SharedBankTest, aBankAnotherProgramHoldsLockedIsWrittenOnceItsLockIsGone)
{
    const std::unique_ptr<FormDriver> ui = windowWithATypedChange();
    // Locked until the holder's input is closed: for longer than a post
    // waits for it.
    QProcess holder;
    holder.start(builtProgram(QUENHAR_BANK_LOCK_HOLDER), {bank.path()});
    ASSERT_TRUE(holder.waitForReadyRead(30000)) << holder.readAllStandardError().toStdString();
    ASSERT_TRUE(holder.readAllStandardOutput().startsWith("locked"));

    ui->messages().answerWith(QMessageBox::Cancel); // back to the text
    EXPECT_FALSE(ui->form().close());
    ASSERT_EQ(ui->messages().boxes().size(), 1);
    EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(ui->messages().boxes()[0].text.contains(QStringLiteral("locked")))
        << ui->messages().boxes()[0].text.toStdString();

    // (The file is read once the lock is gone: the lock keeps out readers too.)
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(30000));
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_EQ(memo(), QStringLiteral("原文"));
    EXPECT_TRUE(ui->form().close());
    EXPECT_EQ(memo(), QStringLiteral("改原文"));
}

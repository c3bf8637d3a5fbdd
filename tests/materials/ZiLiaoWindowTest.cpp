#include "support/FormDriver.h"

#include "TypeText.h"

#include <QApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The real window over a bank with two materials, on the page "各种资料".
class ZiLiaoWindowTest : public ::testing::Test
{
protected:
    ZiLiaoWindowTest()
    {
        bank.addMaterial(QStringLiteral("交通信号"), QStringLiteral("红灯停"));
        bank.addMaterial(QStringLiteral("交通标志"), QStringLiteral("警告标志"));
        ui = std::make_unique<FormDriver>(bank);
    }

    void showMaterialsPage() { ui->get<QTabWidget>("pcMain")->setCurrentWidget(ui->get("tsZiLiao")); }
    void showFirstPage() { ui->get<QTabWidget>("pcMain")->setCurrentIndex(0); }
    QPlainTextEdit* memo() { return ui->get<QPlainTextEdit>("DBMemo2"); }
    QTableView* grid() { return ui->get<QTableView>("DBGrid3"); }

    void typeInMemo(const QString& text) { typeText(memo(), text); }

    QString fileMemo(int id)
    {
        return bank.scalar(QStringLiteral("select memo from ziliao where id = %1").arg(id));
    }

    // Clicks 结束 from inside a loop running within the application's own
    // one; true when the click ended the program (told every running event
    // loop to exit). The application's loop is there because a program that
    // ended stays ended, nested loops and message boxes included, until the
    // application runs again.
    bool endButtonEndsTheProgram()
    {
        bool ended = false;
        QTimer::singleShot(0, qApp, [&] {
            QEventLoop loop;
            QTimer::singleShot(0, &loop, [&] {
                ui->click("btOver");
                ended = !loop.isRunning();
                loop.exit();
            });
            loop.exec();
            if (!ended)
                QCoreApplication::exit(1); // the program stayed open: end the test's loop
        });
        const int exitCode = qApp->exec();
        EXPECT_EQ(exitCode, ended ? 0 : 1);
        return ended;
    }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

} // namespace

TEST_F(ZiLiaoWindowTest, thePageOpensOnItsFirstVisitAndKeepsTheEntryAndUnpostedTextWhenShownAgain)
{
    ASSERT_TRUE(ui->form().isDatabaseOpen());
    EXPECT_EQ(grid()->model()->rowCount(), 0) << "opened before its first visit";
    showMaterialsPage();
    EXPECT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("红灯停"));

    ui->get<QToolButton>("DBNavigator3Next")->click();
    typeInMemo(QStringLiteral("注意"));
    showFirstPage();
    showMaterialsPage();
    EXPECT_EQ(grid()->currentIndex().row(), 1);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("注意警告标志"));
    EXPECT_TRUE(ui->get<QToolButton>("DBNavigator3Post")->isEnabled());
    EXPECT_EQ(fileMemo(2), QStringLiteral("警告标志"));
    EXPECT_TRUE(ui->messages().boxes().isEmpty());
}

TEST_F(ZiLiaoWindowTest, theEndButtonPostsThePendingChangeAndEndsTheProgram)
{
    showMaterialsPage();
    typeInMemo(QStringLiteral("改"));
    EXPECT_TRUE(endButtonEndsTheProgram());
    EXPECT_EQ(fileMemo(1), QStringLiteral("改红灯停"));
    EXPECT_TRUE(ui->messages().boxes().isEmpty());
}

TEST_F(ZiLiaoWindowTest, closingTheWindowPostsThePendingChange)
{
    showMaterialsPage();
    typeInMemo(QStringLiteral("改"));
    EXPECT_TRUE(ui->form().close());
    EXPECT_EQ(fileMemo(1), QStringLiteral("改红灯停"));
}

TEST_F(ZiLiaoWindowTest, aChangeThatCannotBeWrittenIsShownAndTheEndButtonKeepsTheProgramOpen)
{
    showMaterialsPage();
    typeInMemo(QStringLiteral("改"));
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    ui->messages().answerWith(QMessageBox::Cancel); // back to the text
    EXPECT_FALSE(endButtonEndsTheProgram());
    ASSERT_EQ(ui->messages().boxes().size(), 1);
    EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(ui->messages().boxes()[0].title, QStringLiteral("Lumeross_2007"));
    EXPECT_EQ(ui->messages().boxes()[0].buttons, QMessageBox::Cancel | QMessageBox::Discard);
    EXPECT_TRUE(ui->messages().boxes()[0].text.contains(QStringLiteral("deleted")));
    EXPECT_TRUE(ui->form().isVisible());
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("改红灯停"));
}

TEST_F(ZiLiaoWindowTest, aFileLockedByAnotherProgramKeepsTheWindowOpenOnCloseUntilThePostSucceeds)
{
    showMaterialsPage();
    typeInMemo(QStringLiteral("改"));
    bank.exec(QStringLiteral("begin immediate")); // held past the connection's wait for it
    ui->messages().answerWith(QMessageBox::Cancel); // back to the text
    EXPECT_FALSE(ui->form().close());
    bank.exec(QStringLiteral("rollback"));
    ASSERT_EQ(ui->messages().boxes().size(), 1);
    EXPECT_EQ(ui->messages().boxes()[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(ui->messages().boxes()[0].text.contains(QStringLiteral("locked")));
    EXPECT_TRUE(ui->form().isVisible());
    EXPECT_EQ(fileMemo(1), QStringLiteral("红灯停"));
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("改红灯停"));

    EXPECT_TRUE(ui->form().close());
    EXPECT_EQ(fileMemo(1), QStringLiteral("改红灯停"));
}

TEST_F(ZiLiaoWindowTest, anEntryChangedElsewhereAsksWhoseTextStays)
{
    // Each choice, and what the file and the text box hold after it.
    const struct
    {
        QMessageBox::StandardButton answer;
        const char* kept;
    } choices[] = {{QMessageBox::Save, "改红灯停"}, {QMessageBox::Discard, "别的程序改的"}};
    for (const auto& choice : choices) {
        bank.exec(QStringLiteral("update ziliao set memo = '红灯停' where id = 1"));
        ui = std::make_unique<FormDriver>(bank);
        showMaterialsPage();
        typeInMemo(QStringLiteral("改"));
        bank.exec(QStringLiteral("update ziliao set memo = '别的程序改的' where id = 1"));

        ui->messages().answerWith(choice.answer);
        ui->get<QToolButton>("DBNavigator3Next")->click(); // moving on posts
        ASSERT_EQ(ui->messages().boxes().size(), 1) << ui->messages().texts().join('|').toStdString();
        const MessageBoxWatcher::Box& box = ui->messages().boxes()[0];
        EXPECT_EQ(box.title, QStringLiteral("Lumeross_2007"));
        EXPECT_EQ(box.icon, QMessageBox::Question) << box.text.toStdString();
        EXPECT_EQ(box.buttons, QMessageBox::Save | QMessageBox::Discard);
        EXPECT_TRUE(box.text.contains(QStringLiteral("另一个程序修改")));
        EXPECT_EQ(fileMemo(1), QString::fromUtf8(choice.kept));
        EXPECT_EQ(grid()->currentIndex().row(), 1); // and the move went on
        ui->get<QToolButton>("DBNavigator3Prior")->click();
        EXPECT_EQ(memo()->toPlainText(), QString::fromUtf8(choice.kept));
    }
}

TEST_F(ZiLiaoWindowTest, aChangeThatCannotBeSavedAtTheEndCanBeDroppedToEnd)
{
    showMaterialsPage();
    typeInMemo(QStringLiteral("改"));
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    ui->messages().answerWith(QMessageBox::Discard);
    EXPECT_TRUE(endButtonEndsTheProgram());
    ASSERT_EQ(ui->messages().boxes().size(), 1);
    EXPECT_TRUE(ui->messages().boxes()[0].text.contains(QStringLiteral("没有保存")));
    EXPECT_EQ(bank.scalar(QStringLiteral("select count(*) from ziliao")), QStringLiteral("1"));
}

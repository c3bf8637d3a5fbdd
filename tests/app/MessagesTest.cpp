#include "app/ErrorReporting.h"
#include "store/StoreError.h"
#include "app/Messages.h"

#include "support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

TEST(ErrorText, addsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(Messages::errorText(QStringLiteral("Bitmap image is not valid")), QStringLiteral("Bitmap image is not valid."));
    EXPECT_EQ(Messages::errorText(QStringLiteral("'' is not a valid integer value")), QStringLiteral("'' is not a valid integer value."));
    EXPECT_EQ(Messages::errorText(QStringLiteral("count 3")), QStringLiteral("count 3."));
    EXPECT_EQ(Messages::errorText(QStringLiteral("无法打开")), QStringLiteral("无法打开."));
    EXPECT_EQ(Messages::errorText(QStringLiteral("List index out of bounds (0)")), QStringLiteral("List index out of bounds (0)"));
    EXPECT_EQ(Messages::errorText(QStringLiteral("Stop!")), QStringLiteral("Stop!"));
    EXPECT_EQ(Messages::errorText(QStringLiteral("done.")), QStringLiteral("done."));
    EXPECT_EQ(Messages::errorText(QStringLiteral("trailing ")), QStringLiteral("trailing "));
    EXPECT_EQ(Messages::errorText(QString()), QString());
}

TEST(Guarded, showsAnErrorThatEndsTheHandlerAndGoesOn)
{
    MessageBoxWatcher watcher;
    bool finished = false;
    guarded([&] {
        throw StoreError(QStringLiteral("Field 'bmp' not found"));
        finished = true;
    });
    EXPECT_FALSE(finished);
    ASSERT_EQ(watcher.boxes().size(), 1);
    EXPECT_EQ(watcher.boxes()[0].title, QStringLiteral("Lumeross_2007"));
    EXPECT_EQ(watcher.boxes()[0].text, QStringLiteral("Field 'bmp' not found."));
    EXPECT_EQ(watcher.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(watcher.boxes()[0].buttons, QMessageBox::Ok);

    guarded([&] { finished = true; });
    EXPECT_TRUE(finished);
    EXPECT_EQ(watcher.boxes().size(), 1);
}

TEST(Messages, programMessagesHaveNoIconAndDeleteAsksForConfirmation)
{
    MessageBoxWatcher watcher;
    Messages::showMessage(QStringLiteral("模拟考试开始!"));
    ASSERT_EQ(watcher.boxes().size(), 1);
    EXPECT_EQ(watcher.boxes()[0].text, QStringLiteral("模拟考试开始!"));
    EXPECT_EQ(watcher.boxes()[0].icon, QMessageBox::NoIcon);

    EXPECT_TRUE(Messages::confirmDelete());
    watcher.answerWith(QMessageBox::Cancel);
    EXPECT_FALSE(Messages::confirmDelete());
    ASSERT_EQ(watcher.boxes().size(), 3);
    EXPECT_EQ(watcher.boxes()[2].title, QStringLiteral("Confirm"));
    EXPECT_EQ(watcher.boxes()[2].text, QStringLiteral("Delete record?"));
    EXPECT_EQ(watcher.boxes()[2].icon, QMessageBox::Question);
    EXPECT_EQ(watcher.boxes()[2].buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

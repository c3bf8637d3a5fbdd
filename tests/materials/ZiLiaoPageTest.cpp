#include "app/Messages.h"
#include "materials/ZiLiaoPage.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include "support/MessageBoxWatcher.h"
#include "support/TestBank.h"

#include "TypeText.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const buttonNames[] = {"First", "Prior", "Next", "Last", "Insert",
                                   "Delete", "Edit", "Post", "Cancel", "Refresh"};

// The materials page alone, over its own connection to a test bank, shown
// and visited once as the window does.
class ZiLiaoPageTest : public ::testing::Test
{
protected:
    void openPage()
    {
        db_ = std::make_unique<Database>(bank.path());
        set_ = std::make_unique<RecordSet>(*db_);
        // Wired to the window's message boxes, as the window wires it.
        page_ = std::make_unique<ZiLiaoPage>(*set_, ZiLiaoPage::UserChoices{&Messages::confirmDelete, {}});
        QObject::connect(page_.get(), &ZiLiaoPage::failed, &Messages::showError);
        page_->resize(600, 400);
        page_->show();
        page_->showPage();
    }

    QTableView* grid() const { return page_->findChild<QTableView*>(QStringLiteral("DBGrid3")); }
    QPlainTextEdit* memo() const { return page_->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo2")); }
    QToolButton* button(const char* name) const
    {
        return page_->findChild<QToolButton*>(QStringLiteral("DBNavigator3") + QLatin1String(name));
    }
    void click(const char* name) { button(name)->click(); }

    QStringList enabledButtons() const
    {
        QStringList names;
        for (const char* name : buttonNames) {
            if (button(name)->isEnabled())
                names << QLatin1String(name);
        }
        return names;
    }

    int gridRow() const { return grid()->currentIndex().row(); }
    QString gridTitle(int row) const { return grid()->model()->index(row, 0).data().toString(); }

    // Types at the start of the text box, as the user would after clicking it.
    void typeInMemo(const QString& text)
    {
        memo()->setFocus();
        typeText(memo(), text);
    }

    QString fileValue(const QString& sql) { return bank.scalar(sql); }

    TestBank bank;
    MessageBoxWatcher messages;
    std::unique_ptr<Database> db_;
    std::unique_ptr<RecordSet> set_;
    std::unique_ptr<ZiLiaoPage> page_;
};

void addThreeMaterials(TestBank& bank)
{
    bank.addMaterial(QStringLiteral("交通信号"), QStringLiteral("红灯停，绿灯行"));
    bank.addMaterial(QStringLiteral("交通标志"), QStringLiteral("警告标志"));
    bank.addMaterial(QStringLiteral("交通标线"), QStringLiteral("白色实线"));
}

} // namespace

TEST_F(ZiLiaoPageTest, showsTheTitlesInTheGridAndTheCurrentEntrysTextInTheMemo)
{
    addThreeMaterials(bank);
    openPage();
    ASSERT_NE(grid(), nullptr);
    ASSERT_NE(memo(), nullptr);
    EXPECT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(gridTitle(1), QStringLiteral("交通标志"));
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("红灯停，绿灯行"));

    int visibleColumns = 0;
    for (int column = 0; column < grid()->model()->columnCount(); ++column)
        visibleColumns += grid()->isColumnHidden(column) ? 0 : 1;
    EXPECT_EQ(visibleColumns, 1);
    EXPECT_EQ(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("标题"));
    EXPECT_EQ(grid()->height(), 113);
    EXPECT_EQ(memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(memo()->isReadOnly());
}

TEST_F(ZiLiaoPageTest, everyNavigatorButtonIsNamedAndHasAChineseTooltipAndAGlyph)
{
    openPage();
    for (const char* name : buttonNames) {
        QToolButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_FALSE(b->icon().isNull()) << name;
        EXPECT_TRUE(b->toolTip().contains(QStringLiteral("记录")) || b->toolTip().contains(QStringLiteral("修改"))
                    || b->toolTip().contains(QStringLiteral("数据")))
            << name;
    }
}

TEST_F(ZiLiaoPageTest, navigatorButtonsFollowThePositionAndTheEditingState)
{
    addThreeMaterials(bank);
    openPage();
    EXPECT_EQ(enabledButtons(), QStringList({"Next", "Last", "Insert", "Delete", "Edit", "Refresh"}));

    click("Next");
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("警告标志"));
    EXPECT_EQ(enabledButtons(),
              QStringList({"First", "Prior", "Next", "Last", "Insert", "Delete", "Edit", "Refresh"}));

    click("Last");
    EXPECT_EQ(gridRow(), 2);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("白色实线"));
    EXPECT_EQ(enabledButtons(), QStringList({"First", "Prior", "Insert", "Delete", "Edit", "Refresh"}));

    click("Edit");
    EXPECT_EQ(enabledButtons(), QStringList({"First", "Prior", "Insert", "Delete", "Post", "Cancel", "Refresh"}));
    click("Cancel");

    click("Prior");
    click("First");
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("红灯停，绿灯行"));
}

TEST_F(ZiLiaoPageTest, typingInTheMemoStartsEditingAndPostWritesTheText)
{
    addThreeMaterials(bank);
    openPage();
    typeInMemo(QStringLiteral("注意："));
    EXPECT_TRUE(set_->isEditing());
    EXPECT_TRUE(button("Post")->isEnabled());
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("红灯停，绿灯行"));

    click("Post");
    EXPECT_TRUE(set_->isBrowsing());
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("注意：红灯停，绿灯行"));
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("注意：红灯停，绿灯行"));
}

TEST_F(ZiLiaoPageTest, typingInTheGridStartsEditingAndMovingToAnotherEntryWritesIt)
{
    addThreeMaterials(bank);
    openPage();
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_F2); // opens the cell's editor, as typing does
    auto* editor = grid()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->end(false);
    typeText(editor, QStringLiteral("灯"));
    EXPECT_TRUE(set_->isEditing());
    EXPECT_EQ(set_->fieldAsString(QStringLiteral("title")), QStringLiteral("交通信号灯"));

    click("Next");
    EXPECT_EQ(fileValue(QStringLiteral("select title from ziliao where id = 1")), QStringLiteral("交通信号灯"));
    EXPECT_EQ(gridTitle(0), QStringLiteral("交通信号灯"));
    EXPECT_EQ(gridRow(), 1);
    EXPECT_TRUE(set_->isBrowsing());
}

TEST_F(ZiLiaoPageTest, pickingAnotherRowInTheGridPostsTheChangeAndShowsThatEntry)
{
    addThreeMaterials(bank);
    openPage();
    typeInMemo(QStringLiteral("新"));
    grid()->setCurrentIndex(grid()->model()->index(2, 0));
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("新红灯停，绿灯行"));
    EXPECT_EQ(set_->recNo(), 3);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("白色实线"));
}

TEST_F(ZiLiaoPageTest, cancelDropsTheTypedTextAndWritesNothing)
{
    addThreeMaterials(bank);
    openPage();
    typeInMemo(QStringLiteral("不要"));
    click("Cancel");
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("红灯停，绿灯行"));
    EXPECT_TRUE(set_->isBrowsing());
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("红灯停，绿灯行"));
}

TEST_F(ZiLiaoPageTest, insertStartsANewEntryAtTheCurrentPositionAndPostAddsIt)
{
    addThreeMaterials(bank);
    openPage();
    click("Next");
    click("Insert");
    EXPECT_EQ(grid()->model()->rowCount(), 4);
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(memo()->toPlainText(), QString());
    EXPECT_EQ(gridTitle(2), QStringLiteral("交通标志"));
    typeInMemo(QStringLiteral("新的资料"));
    click("Post");
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao")), QStringLiteral("4"));
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao where memo = '新的资料' and title is null")),
              QStringLiteral("1"));
}

TEST_F(ZiLiaoPageTest, anEmptyTableShowsAnEmptyPageAndInsertCreatesTheFirstEntry)
{
    openPage();
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    EXPECT_EQ(memo()->toPlainText(), QString());
    EXPECT_EQ(enabledButtons(), QStringList({"Insert", "Edit", "Refresh"}));

    click("Insert");
    EXPECT_EQ(grid()->model()->rowCount(), 1);
    EXPECT_EQ(enabledButtons(), QStringList({"Insert", "Delete", "Post", "Cancel", "Refresh"}));
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_F2);
    auto* editor = grid()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    typeText(editor, QStringLiteral("第一条"));
    click("Post");
    EXPECT_EQ(fileValue(QStringLiteral("select title from ziliao")), QStringLiteral("第一条"));
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao")), QStringLiteral("1"));
}

TEST_F(ZiLiaoPageTest, typingIntoTheMemoOfAnEmptyTableInsertsTheFirstEntry)
{
    openPage();
    typeInMemo(QStringLiteral("说明"));
    EXPECT_EQ(set_->state(), RecordSet::State::Inserting);
    EXPECT_EQ(grid()->model()->rowCount(), 1);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("说明"));
    page_->postPending();
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao")), QStringLiteral("说明"));
}

TEST_F(ZiLiaoPageTest, deleteAsksAndDeletesOnlyWhenAnsweredOk)
{
    addThreeMaterials(bank);
    openPage();
    messages.answerWith(QMessageBox::Cancel);
    click("Delete");
    ASSERT_EQ(messages.boxes().size(), 1);
    const MessageBoxWatcher::Box& box = messages.boxes()[0];
    EXPECT_EQ(box.title, QStringLiteral("Confirm"));
    EXPECT_EQ(box.text, QStringLiteral("Delete record?"));
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao")), QStringLiteral("3"));
    EXPECT_EQ(grid()->model()->rowCount(), 3);

    messages.answerWith(QMessageBox::Ok);
    click("Delete");
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao")), QStringLiteral("2"));
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from ziliao where title = '交通信号'")), QStringLiteral("0"));
    EXPECT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("警告标志"));
}

TEST_F(ZiLiaoPageTest, refreshShowsAnotherProgramsEntriesAndStaysOnTheCurrentOne)
{
    addThreeMaterials(bank);
    openPage();
    click("Next");
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    bank.addMaterial(QStringLiteral("新增"), QStringLiteral("别的程序写的"));
    click("Refresh");
    EXPECT_EQ(grid()->model()->rowCount(), 3);
    EXPECT_EQ(gridTitle(2), QStringLiteral("新增"));
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("警告标志"));
}

TEST_F(ZiLiaoPageTest, refreshWritesTheTypedTextBeforeReading)
{
    addThreeMaterials(bank);
    openPage();
    typeInMemo(QStringLiteral("先"));
    click("Refresh");
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("先红灯停，绿灯行"));
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("先红灯停，绿灯行"));
}

TEST_F(ZiLiaoPageTest, aPostToAnEntryAnotherProgramDeletedShowsTheErrorAndKeepsTheText)
{
    addThreeMaterials(bank);
    openPage();
    typeInMemo(QStringLiteral("改"));
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    click("Post");
    ASSERT_EQ(messages.boxes().size(), 1);
    EXPECT_EQ(messages.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages.boxes()[0].title, QStringLiteral("Lumeross_2007"));
    EXPECT_TRUE(messages.boxes()[0].text.contains(QStringLiteral("deleted"))) << messages.texts().join('|').toStdString();
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("改红灯停，绿灯行"));
    EXPECT_TRUE(button("Post")->isEnabled());

    // Moving away must not lose it either: the move fails and stays put.
    messages.clear();
    click("Next");
    EXPECT_EQ(messages.boxes().size(), 1);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("改红灯停，绿灯行"));
}

TEST_F(ZiLiaoPageTest, showingThePageAgainKeepsTheEntryAndTheUnpostedText)
{
    addThreeMaterials(bank);
    openPage();
    click("Next");
    typeInMemo(QStringLiteral("未保存"));
    page_->hide();
    page_->show();
    page_->showPage();
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(memo()->toPlainText(), QStringLiteral("未保存警告标志"));
    EXPECT_TRUE(set_->isModified());
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 2")), QStringLiteral("警告标志"));
}

TEST_F(ZiLiaoPageTest, postPendingWritesTheChangeOrRaisesAndKeepsIt)
{
    addThreeMaterials(bank);
    openPage();
    page_->postPending(); // nothing pending: nothing happens
    typeInMemo(QStringLiteral("A"));
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    EXPECT_THROW(page_->postPending(), StoreError);
    EXPECT_TRUE(set_->isModified());

    click("Cancel");
    click("Next");
    typeInMemo(QStringLiteral("B"));
    page_->postPending();
    EXPECT_EQ(fileValue(QStringLiteral("select memo from ziliao where id = 2")), QStringLiteral("B警告标志"));
}

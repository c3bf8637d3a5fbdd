#include "rules/Statements.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <memory>

namespace {

const QString title = QStringLiteral("title");
const QString memo = QStringLiteral("memo");

class RecordSetEditTest : public ::testing::Test
{
protected:
    RecordSet& openMaterials()
    {
        db_ = std::make_unique<Database>(bank.path());
        set_ = std::make_unique<RecordSet>(*db_, QStringLiteral("ADOQueryZiLiao"));
        set_->setSql(Statements::materials());
        set_->open();
        return *set_;
    }

    QString fileTitle(int id) { return bank.scalar(QStringLiteral("select title from ziliao where id = %1").arg(id)); }
    QString fileCount() { return bank.scalar(QStringLiteral("select count(*) from ziliao")); }

    TestBank bank;
    std::unique_ptr<Database> db_;
    std::unique_ptr<RecordSet> set_;
};

} // namespace

TEST_F(RecordSetEditTest, postWritesTheTypedValueToTheFileAndReturnsToBrowsing)
{
    bank.addMaterial(QStringLiteral("交通信号"), QStringLiteral("红灯停"));
    RecordSet& set = openMaterials();
    EXPECT_TRUE(set.canModify());

    set.edit();
    EXPECT_EQ(set.state(), RecordSet::State::Editing);
    set.setFieldValue(title, QStringLiteral("交通信号灯"));
    EXPECT_TRUE(set.isModified());
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("交通信号灯"));
    EXPECT_EQ(fileTitle(1), QStringLiteral("交通信号")); // held, not yet written

    set.post();
    EXPECT_TRUE(set.isBrowsing());
    EXPECT_EQ(fileTitle(1), QStringLiteral("交通信号灯"));
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao where id = 1")), QStringLiteral("红灯停"));
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("交通信号灯"));
}

TEST_F(RecordSetEditTest, cancelDropsTheTypedValueAndWritesNothing)
{
    bank.addMaterial(QStringLiteral("标志"), QStringLiteral("说明"));
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(memo, QStringLiteral("改过的说明"));
    set.cancel();
    EXPECT_TRUE(set.isBrowsing());
    EXPECT_EQ(set.fieldAsString(memo), QStringLiteral("说明"));
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao")), QStringLiteral("说明"));
}

TEST_F(RecordSetEditTest, movingToAnotherRecordPostsTheHeldChange)
{
    bank.addMaterial(QStringLiteral("一"), QString());
    bank.addMaterial(QStringLiteral("二"), QString());
    bank.addMaterial(QStringLiteral("三"), QString());
    RecordSet& set = openMaterials();

    set.edit();
    set.setFieldValue(title, QStringLiteral("一改"));
    set.next();
    EXPECT_TRUE(set.isBrowsing());
    EXPECT_EQ(set.recNo(), 2);
    EXPECT_EQ(fileTitle(1), QStringLiteral("一改"));

    set.edit();
    set.setFieldValue(title, QStringLiteral("二改"));
    set.setRecNo(3);
    EXPECT_EQ(fileTitle(2), QStringLiteral("二改"));

    set.edit();
    set.setFieldValue(title, QStringLiteral("三改"));
    set.prior();
    EXPECT_EQ(fileTitle(3), QStringLiteral("三改"));
    EXPECT_EQ(set.recNo(), 2);
}

TEST_F(RecordSetEditTest, insertPutsANewRecordBeforeTheCurrentOneAndPostWritesIt)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    bank.addMaterial(QStringLiteral("乙"), QString());
    RecordSet& set = openMaterials();
    set.next();

    set.insert();
    EXPECT_EQ(set.state(), RecordSet::State::Inserting);
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(set.recNo(), 2);
    EXPECT_EQ(set.fieldAsString(title), QString());
    EXPECT_EQ(set.fieldAsString(3, title), QStringLiteral("乙"));

    set.setFieldValue(title, QStringLiteral("丙"));
    set.setFieldValue(memo, QStringLiteral("新的说明"));
    set.post();
    EXPECT_EQ(fileCount(), QStringLiteral("3"));
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao where title = '丙'")), QStringLiteral("新的说明"));
    // The key the file gave the row is read back into the snapshot.
    EXPECT_EQ(set.fieldAsString(QStringLiteral("id")), bank.scalar(QStringLiteral("select id from ziliao where title = '丙'")));
    EXPECT_EQ(set.recNo(), 2);
}

TEST_F(RecordSetEditTest, cancellingAnInsertRemovesTheNewRecord)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    bank.addMaterial(QStringLiteral("乙"), QString());
    RecordSet& set = openMaterials();
    set.next();
    set.insert();
    set.setFieldValue(title, QStringLiteral("不要"));
    set.cancel();
    EXPECT_EQ(set.recordCount(), 2);
    EXPECT_EQ(set.recNo(), 2);
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("乙"));
    EXPECT_EQ(fileCount(), QStringLiteral("2"));
}

TEST_F(RecordSetEditTest, leavingAnUntouchedInsertDropsItAndCountsRecordsAsTheyWere)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    bank.addMaterial(QStringLiteral("乙"), QString());
    bank.addMaterial(QStringLiteral("丙"), QString());
    RecordSet& set = openMaterials();
    set.insert(); // before 甲: the records are now (new), 甲, 乙, 丙
    set.setRecNo(3);
    EXPECT_TRUE(set.isBrowsing());
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("乙"));
    EXPECT_EQ(fileCount(), QStringLiteral("3"));
}

TEST_F(RecordSetEditTest, anEmptyTableGetsItsFirstEntryByInsertOrByEdit)
{
    RecordSet& set = openMaterials();
    EXPECT_EQ(set.recordCount(), 0);
    set.edit(); // editing an empty set inserts
    EXPECT_EQ(set.state(), RecordSet::State::Inserting);
    set.setFieldValue(title, QStringLiteral("第一条"));
    set.post();
    EXPECT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.recNo(), 1);
    EXPECT_EQ(fileTitle(1), QStringLiteral("第一条"));
}

TEST_F(RecordSetEditTest, deleteRemovesTheRowFromTheFileAndMovesToTheNextOne)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    bank.addMaterial(QStringLiteral("乙"), QString());
    RecordSet& set = openMaterials();
    set.deleteCurrent();
    EXPECT_EQ(fileCount(), QStringLiteral("1"));
    EXPECT_EQ(bank.scalar(QStringLiteral("select title from ziliao")), QStringLiteral("乙"));
    EXPECT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("乙"));

    set.deleteCurrent();
    EXPECT_EQ(fileCount(), QStringLiteral("0"));
    EXPECT_EQ(set.recNo(), -1);
    EXPECT_TRUE(set.bof());
    EXPECT_TRUE(set.eof());
    EXPECT_THROW(set.deleteCurrent(), StoreError);
}

TEST_F(RecordSetEditTest, refreshReadsAnotherProgramsRowsAndStaysOnTheSameEntry)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    bank.addMaterial(QStringLiteral("乙"), QString());
    RecordSet& set = openMaterials();
    set.next();
    bank.exec(QStringLiteral("delete from ziliao where id = 1"));
    bank.exec(QStringLiteral("update ziliao set title = '乙改' where id = 2"));
    bank.addMaterial(QStringLiteral("丙"), QString());

    set.refresh();
    EXPECT_EQ(set.recordCount(), 2);
    EXPECT_EQ(set.recNo(), 1);
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("乙改"));
}

TEST_F(RecordSetEditTest, refreshPostsAHeldChangeBeforeReading)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(title, QStringLiteral("甲改"));
    set.refresh();
    EXPECT_EQ(fileTitle(1), QStringLiteral("甲改"));
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("甲改"));
}

TEST_F(RecordSetEditTest, aPostToAnEntryAnotherProgramDeletedIsReportedAndStaysHeld)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(title, QStringLiteral("甲改"));
    bank.exec(QStringLiteral("delete from ziliao"));

    try {
        set.post();
        FAIL() << "the post succeeded";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("ADOQueryZiLiao: ")));
        EXPECT_TRUE(error.text().contains(QStringLiteral("deleted"))) << error.text().toStdString();
    }
    EXPECT_EQ(set.state(), RecordSet::State::Editing);
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("甲改"));
    EXPECT_EQ(fileCount(), QStringLiteral("0"));
}

TEST_F(RecordSetEditTest, aPostThatCannotGetTheWriteLockIsReportedAndSucceedsOnceTheLockIsFreed)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    RecordSet& set = openMaterials();
    sqlite3_busy_timeout(db_->handle(), 100);
    set.edit();
    set.setFieldValue(title, QStringLiteral("甲改"));

    bank.exec(QStringLiteral("begin immediate"));
    try {
        set.post();
        FAIL() << "the post succeeded";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("locked"))) << error.text().toStdString();
    }
    EXPECT_TRUE(set.isModified());
    bank.exec(QStringLiteral("commit"));

    set.post();
    EXPECT_EQ(fileTitle(1), QStringLiteral("甲改"));
}

TEST_F(RecordSetEditTest, aPostKeepsTheFilesJournalMode)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    const QString before = bank.scalar(QStringLiteral("pragma journal_mode"));
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(title, QStringLiteral("甲改"));
    set.post();
    EXPECT_EQ(bank.scalar(QStringLiteral("pragma journal_mode")), before);
}

TEST_F(RecordSetEditTest, valuesAreWrittenOnlyWhileEditing)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    RecordSet& set = openMaterials();
    EXPECT_THROW(set.setFieldValue(title, QStringLiteral("x")), StoreError);
    EXPECT_THROW(set.post(), StoreError);
    set.edit();
    EXPECT_THROW(set.setFieldValue(QStringLiteral("nosuchfield"), QStringLiteral("x")), StoreError);
}

TEST_F(RecordSetEditTest, rowsWithoutRowidsCannotBeEdited)
{
    bank.exec(QStringLiteral("create table keyed (k text primary key, v text) without rowid"));
    bank.exec(QStringLiteral("insert into keyed values ('a', 'b')"));
    bank.exec(QStringLiteral("create view titles as select title from ziliao"));
    bank.addMaterial(QStringLiteral("甲"), QString());
    Database db(bank.path());
    for (const QString& sql : {QStringLiteral("select * from keyed"), QStringLiteral("select * from titles")}) {
        RecordSet set(db, QStringLiteral("q"));
        set.setSql(sql);
        set.open();
        EXPECT_FALSE(set.canModify());
        EXPECT_THROW(set.edit(), StoreError);
        EXPECT_THROW(set.insert(), StoreError);
        EXPECT_THROW(set.deleteCurrent(), StoreError);
        EXPECT_TRUE(set.isBrowsing());
    }
    EXPECT_EQ(bank.scalar(QStringLiteral("select v from keyed")), QStringLiteral("b"));
}

TEST_F(RecordSetEditTest, closingDropsTheHeldChangeAndReopeningReadsTheFile)
{
    bank.addMaterial(QStringLiteral("甲"), QString());
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(title, QStringLiteral("甲改"));
    set.open(); // open already: nothing happens
    EXPECT_TRUE(set.isModified());
    set.close();
    set.open();
    EXPECT_EQ(set.fieldAsString(title), QStringLiteral("甲"));
}

#include "rules/Statements.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include "support/BankTest.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <memory>

namespace {

const QString title = QStringLiteral("title");
const QString memo = QStringLiteral("memo");

class RecordSetEditTest : public BankTest
{
protected:
    RecordSet& openMaterials()
    {
        set_ = std::make_unique<RecordSet>(db());
        set_->setSql(Statements::materials());
        set_->open();
        return *set_;
    }

    QString fileTitle(int id) { return bank.scalar(QStringLiteral("select title from ziliao where id = %1").arg(id)); }
    QString fileCount() { return bank.scalar(QStringLiteral("select count(*) from ziliao")); }

    std::unique_ptr<RecordSet> set_;
};

// A second program's view of the same bank: its own connection and set.
struct OtherWindow
{
    explicit OtherWindow(const QString& path)
        : db(path)
        , set(db)
    {
        set.setSql(Statements::materials());
        set.open();
    }

    void type(const QString& text)
    {
        set.edit();
        set.setFieldValue(memo, text);
    }

    Database db;
    RecordSet set;
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
        EXPECT_FALSE(error.text().contains(QStringLiteral("ADOQuery"))); // no internal names
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
        RecordSet set(db);
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

TEST_F(RecordSetEditTest, twoWindowsPostingInTurnNeverOverwriteAPostUnseen)
{
    bank.addMaterial(QStringLiteral("甲"), QStringLiteral("原文"));
    OtherWindow a(bank.path());
    OtherWindow b(bank.path());
    const auto fileMemo = [this] { return bank.scalar(QStringLiteral("select memo from ziliao where id = 1")); };

    a.type(QStringLiteral("甲的修改"));
    a.set.post();
    b.type(QStringLiteral("乙的修改")); // b still holds the text as it was before a's post
    EXPECT_THROW(b.set.post(), RowChangedElsewhere);
    EXPECT_EQ(fileMemo(), QStringLiteral("甲的修改")); // nothing written
    EXPECT_EQ(b.set.fieldAsString(memo), QStringLiteral("乙的修改")); // the typed text is still held

    // b takes a's version, types again on it, and posts: a's post is kept in it.
    b.set.takeStoredVersion();
    EXPECT_EQ(b.set.fieldAsString(memo), QStringLiteral("甲的修改"));
    b.type(QStringLiteral("甲的修改，乙补充"));
    b.set.post();
    EXPECT_EQ(fileMemo(), QStringLiteral("甲的修改，乙补充"));

    // a, now behind, chooses knowingly to write its text over b's.
    a.type(QStringLiteral("甲坚持"));
    EXPECT_THROW(a.set.post(), RowChangedElsewhere);
    a.set.postOverwriting();
    EXPECT_EQ(fileMemo(), QStringLiteral("甲坚持"));
    EXPECT_TRUE(a.set.isBrowsing());
}

TEST_F(RecordSetEditTest, anEntryAnotherProgramChangedIsNotDeleted)
{
    bank.addMaterial(QStringLiteral("甲"), QStringLiteral("原文"));
    RecordSet& set = openMaterials();
    bank.exec(QStringLiteral("update ziliao set memo = '别人改了'"));
    EXPECT_THROW(set.deleteCurrent(), StoreError);
    EXPECT_EQ(fileCount(), QStringLiteral("1"));
    EXPECT_EQ(set.recordCount(), 1);
}

TEST(RecordSetReplacedBank, aBankDeletedOrReplacedSinceItWasOpenedIsNeverWritten)
{
    for (const bool replaced : {false, true}) {
        TestBank bank;
        TestBank other;
        bank.addMaterial(QStringLiteral("甲"), QStringLiteral("原文"));
        other.addMaterial(QStringLiteral("另一个题库"), QStringLiteral("别动"));
        Database db(bank.path());
        RecordSet set(db);
        set.setSql(Statements::materials());
        set.open();
        set.edit();
        set.setFieldValue(memo, QStringLiteral("改"));

#ifdef Q_OS_WIN
        // Windows refuses to delete a file that a program holds open without
        // sharing its deletion, as SQLite holds the bank: it can be neither
        // deleted nor replaced under the program there, and the post goes
        // into it.
        EXPECT_FALSE(QFile::remove(bank.path()));
        set.post();
        EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao")), QStringLiteral("改"));
        continue;
#endif
        ASSERT_TRUE(QFile::remove(bank.path()));
        if (replaced) // a copy renamed over the bank, as a file manager does
            ASSERT_TRUE(QFile::copy(other.path(), bank.path()));
        try {
            set.post();
            FAIL() << "the post wrote into a file that is gone";
        } catch (const StoreError& error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("deleted or replaced"))) << error.text().toStdString();
        }
        EXPECT_EQ(set.fieldAsString(memo), QStringLiteral("改")); // still held
        if (replaced) {
            Database now(bank.path());
            Statement read(now.handle(), QStringLiteral("select memo from ziliao"));
            ASSERT_TRUE(read.step());
            EXPECT_EQ(QString::fromUtf8(read.columnText(0)), QStringLiteral("别动"));
        }
    }
}

TEST_F(RecordSetEditTest, triggersInTheBankNeverRunWhenAPostWrites)
{
    bank.addMaterial(QStringLiteral("甲"), QStringLiteral("原文"));
    bank.addSubjects(1, 5, 101);
    // One empties the questions, the other would never end.
    bank.exec(QStringLiteral("create trigger wipe after update on ziliao begin delete from Subjects; end"));
    bank.exec(QStringLiteral("create trigger loop after insert on ziliao begin insert into ziliao (title) "
                             "values ('again'); end"));
    bank.exec(QStringLiteral("pragma recursive_triggers = on"));
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(memo, QStringLiteral("改"));
    set.post();
    set.insert();
    set.setFieldValue(title, QStringLiteral("新"));
    set.post();
    EXPECT_EQ(bank.scalar(QStringLiteral("select count(*) from Subjects")), QStringLiteral("5"));
    EXPECT_EQ(fileCount(), QStringLiteral("2"));
}

TEST_F(RecordSetEditTest, aPostThatOutlastsItsDeadlineIsRolledBackAndTheTextStaysHeld)
{
    bank.addMaterial(QStringLiteral("甲"), QStringLiteral("原文"));
    // Two thousand indexes on the text: a post that takes many steps.
    for (int i = 0; i < 2000; ++i)
        bank.exec(QStringLiteral("create index slow%1 on ziliao(memo, id)").arg(i));
    RecordSet& set = openMaterials();
    set.edit();
    set.setFieldValue(memo, QStringLiteral("改"));

    db_->setWriteTimeLimit(0);
    EXPECT_THROW(set.post(), StoreError);
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao")), QStringLiteral("原文"));
    EXPECT_EQ(set.fieldAsString(memo), QStringLiteral("改"));
    EXPECT_TRUE(set.isEditing());

    db_->setWriteTimeLimit(10000);
    set.post();
    EXPECT_EQ(bank.scalar(QStringLiteral("select memo from ziliao")), QStringLiteral("改"));
}

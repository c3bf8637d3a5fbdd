#include "rules/Statements.h"
#include "store/ConnectionSettings.h"
#include "store/Database.h"
#include "store/ConversionError.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include "support/BankTest.h"

#include <gtest/gtest.h>

namespace {

class RecordSetTest : public BankTest
{
protected:
    RecordSet openSet(const QString& sql)
    {
        RecordSet set(db());
        set.setSql(sql);
        set.open();
        return set;
    }
};

} // namespace

TEST_F(RecordSetTest, opensAtTheFirstRecordWithBofSet)
{
    bank.addSubjects(1, 3, 101);
    RecordSet set = openSet(Statements::allSubjects());
    EXPECT_TRUE(set.isBrowsing());
    EXPECT_TRUE(set.bof());
    EXPECT_FALSE(set.eof());
    EXPECT_EQ(set.recNo(), 1);
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("no")), QStringLiteral("1"));

    set.prior(); // BOF already set: nothing happens
    EXPECT_EQ(set.recNo(), 1);
    EXPECT_TRUE(set.bof());
}

TEST_F(RecordSetTest, nextOnTheLastRecordSetsEofAndKeepsTheRecord)
{
    bank.addSubjects(1, 2, 101);
    RecordSet set = openSet(Statements::allSubjects());
    set.next();
    EXPECT_FALSE(set.bof());
    EXPECT_FALSE(set.eof());
    EXPECT_EQ(set.recNo(), 2);
    set.next();
    EXPECT_TRUE(set.eof());
    EXPECT_EQ(set.recNo(), 2);
    set.next();
    EXPECT_EQ(set.recNo(), 2);
    set.prior();
    EXPECT_FALSE(set.eof());
    EXPECT_EQ(set.recNo(), 1);
}

TEST_F(RecordSetTest, aSetOfOneRecordAllowsOneNextThenOnePrior)
{
    bank.addSubjects(7, 1, 101);
    RecordSet set = openSet(Statements::allSubjects());
    EXPECT_TRUE(set.bof());
    EXPECT_FALSE(set.eof());
    set.next();
    EXPECT_TRUE(set.eof());
    EXPECT_FALSE(set.bof());
    set.prior();
    EXPECT_TRUE(set.bof());
    EXPECT_FALSE(set.eof());
    EXPECT_EQ(set.recNo(), 1);
}

TEST_F(RecordSetTest, assigningTheRecordNumberMovesAndClearsFlagsUnlessItIsCurrent)
{
    bank.addSubjects(1, 5, 101);
    RecordSet set = openSet(Statements::allSubjects());
    set.setRecNo(1); // the current number: BOF stays
    EXPECT_TRUE(set.bof());
    set.setRecNo(4);
    EXPECT_EQ(set.recNo(), 4);
    EXPECT_FALSE(set.bof());
    EXPECT_FALSE(set.eof());
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("NO")), 4);
    EXPECT_THROW(set.setRecNo(0), StoreError);
    EXPECT_THROW(set.setRecNo(6), StoreError);
    EXPECT_EQ(set.recNo(), 4);
}

TEST_F(RecordSetTest, anEmptySetHasNoRecordAndReadsEmptyValues)
{
    bank.addSubjects(1, 3, 101);
    RecordSet set(db());
    set.setSql(Statements::subjectByNumber());
    set.setParameter(QStringLiteral("Num"), QString());
    set.open();
    EXPECT_TRUE(set.bof());
    EXPECT_TRUE(set.eof());
    EXPECT_EQ(set.recNo(), -1);
    EXPECT_EQ(set.recordCount(), 0);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), QString());
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("result")), 0);
    EXPECT_TRUE(set.fieldAsBytes(QStringLiteral("bmp")).isEmpty());
    EXPECT_THROW(set.fieldAsString(QStringLiteral("nosuchfield")), StoreError);
}

TEST_F(RecordSetTest, textParametersFindIntegerColumns)
{
    bank.addSubjects(1, 4, 101);
    bank.addSubjects(10, 2, 102);
    RecordSet set(db());
    set.setSql(Statements::subjectsOfClass());
    set.setParameter(QStringLiteral(":fatherNo"), QStringLiteral("102"));
    set.open();
    EXPECT_EQ(set.recordCount(), 2);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("no")), QStringLiteral("10"));

    set.setSql(Statements::subjectByNumber()); // closes the set
    EXPECT_FALSE(set.isBrowsing());
    set.setParameter(QStringLiteral("Num"), QStringLiteral("3"));
    set.open();
    EXPECT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), QStringLiteral("题目 3"));
}

TEST_F(RecordSetTest, openingABrowsingSetKeepsItsPositionAndSnapshot)
{
    bank.addSubjects(1, 3, 101);
    RecordSet set = openSet(Statements::allSubjects());
    set.setRecNo(3);
    bank.exec(QStringLiteral("delete from Subjects where [no] = 3"));
    bank.exec(QStringLiteral("update Subjects set subject = 'changed'"));
    set.open();
    EXPECT_EQ(set.recNo(), 3);
    EXPECT_EQ(set.recordCount(), 3);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), QStringLiteral("题目 3"));
    set.close();
    set.open();
    EXPECT_EQ(set.recordCount(), 2);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), QStringLiteral("changed"));
}

TEST_F(RecordSetTest, aClosedSetRaisesWithoutNamingTheSet)
{
    RecordSet set(db());
    set.setSql(Statements::allSubjects());
    try {
        set.recordCount();
        FAIL() << "a closed set answered";
    } catch (const StoreError& error) {
        // The user is shown what went wrong, not the program's name for the set.
        EXPECT_EQ(error.text(), QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    EXPECT_THROW(set.next(), StoreError);
    EXPECT_THROW(set.fieldAsString(QStringLiteral("no")), StoreError);
}

TEST_F(RecordSetTest, aStatementSqliteRejectsRaisesAndLeavesTheSetClosed)
{
    bank.exec(QStringLiteral("drop table classes"));
    RecordSet set(db());
    set.setSql(Statements::classList());
    try {
        set.open();
        FAIL() << "opened a missing table";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("no such table: classes"))) << error.text().toStdString();
    }
    EXPECT_FALSE(set.isBrowsing());
}

TEST_F(RecordSetTest, numbersReadAsTextAndTextReadsAsNumbers)
{
    bank.exec(QStringLiteral("create table mixed (a, b, c, d)"));
    bank.exec(QStringLiteral("insert into mixed values ('0101', 12, 2.0, 'x1')"));
    bank.exec(QStringLiteral("insert into mixed values (null, 4294967296, 2.5, ' 7')"));
    RecordSet set = openSet(QStringLiteral("select * from mixed"));
    EXPECT_EQ(set.fieldAsString(QStringLiteral("a")), QStringLiteral("0101"));
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("a")), 101);
    EXPECT_EQ(set.fieldAsString(QStringLiteral("b")), QStringLiteral("12"));
    EXPECT_EQ(set.fieldAsString(QStringLiteral("c")), QStringLiteral("2"));
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("c")), 2);
    EXPECT_THROW(set.fieldAsInteger(QStringLiteral("d")), ConversionError);
    set.next();
    EXPECT_EQ(set.fieldAsString(QStringLiteral("a")), QString());
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("a")), 0);
    EXPECT_THROW(set.fieldAsInteger(QStringLiteral("b")), ConversionError); // does not fit 32 bits
    EXPECT_EQ(set.fieldAsString(QStringLiteral("c")), QStringLiteral("2.5"));
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("d")), 7);
}

TEST_F(RecordSetTest, picturesAreReadFromTheFileOnlyForTheCurrentRecord)
{
    const QByteArray first = makeBitmap(4, 3);
    const QByteArray second = withPictureHeader(makeBitmap(2, 2));
    bank.addSubject({1, QStringLiteral("a"), 0, 0, 0, 101, first});
    bank.addSubject({2, QStringLiteral("b"), 0, 0, 0, 101, second});
    bank.addSubject({3, QStringLiteral("c"), 0, 0, 0, 101, QByteArray("")});
    RecordSet set = openSet(Statements::allSubjects());
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("BMP")), first);
    set.next();
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("bmp")), second);
    set.next();
    EXPECT_TRUE(set.fieldAsBytes(QStringLiteral("bmp")).isEmpty());
    EXPECT_EQ(set.fieldNames(), (QStringList{QStringLiteral("no"), QStringLiteral("subject"), QStringLiteral("result"),
                                             QStringLiteral("classNo"), QStringLiteral("passOnly"),
                                             QStringLiteral("fatherNo"), QStringLiteral("bmp")}));
}

TEST_F(RecordSetTest, viewsAndTablesWithoutRowidStillOpen)
{
    bank.exec(QStringLiteral("create table keyed (k text primary key, v blob) without rowid"));
    bank.exec(QStringLiteral("insert into keyed values ('a', x'0102')"));
    bank.exec(QStringLiteral("create view subjectView as select [no], bmp from Subjects"));
    bank.addSubject({5, QStringLiteral("e"), 0, 0, 0, 101, QByteArray("\x03\x04", 2)});
    RecordSet keyed = openSet(QStringLiteral("select * from keyed"));
    EXPECT_EQ(keyed.fieldAsBytes(QStringLiteral("v")), QByteArray("\x01\x02", 2));
    RecordSet view = openSet(QStringLiteral("select * from subjectView"));
    EXPECT_EQ(view.fieldAsBytes(QStringLiteral("bmp")), QByteArray("\x03\x04", 2));
}

TEST_F(RecordSetTest, aColumnNamedRowidDoesNotConfuseThePictureLookup)
{
    bank.exec(QStringLiteral("create table odd (rowid integer, bmp blob)"));
    bank.exec(QStringLiteral("insert into odd values (99, x'0a0b')"));
    bank.exec(QStringLiteral("insert into odd values (98, x'0c')"));
    RecordSet set = openSet(QStringLiteral("select * from odd"));
    EXPECT_EQ(set.fieldAsString(QStringLiteral("rowid")), QStringLiteral("99"));
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("bmp")), QByteArray("\x0a\x0b", 2));
    set.next();
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("bmp")), QByteArray("\x0c", 1));
}

TEST_F(RecordSetTest, numberParametersFindRowsWhateverTheColumnsType)
{
    bank.exec(QStringLiteral("create table loose (k, t text, label)"));
    bank.exec(QStringLiteral("insert into loose values (101, '101', 'a'), ('0101', '0101', 'b')"));
    for (const char* column : {"k", "t"}) {
        RecordSet set(db());
        set.setSql(QStringLiteral("select * from loose where %1 = :v").arg(QLatin1String(column)));
        set.setParameter(QStringLiteral("v"), QStringLiteral("101"));
        set.open();
        ASSERT_EQ(set.recordCount(), 1) << column;
        EXPECT_EQ(set.fieldAsString(QStringLiteral("label")), QStringLiteral("a"));
        set.close();
        set.setParameter(QStringLiteral("v"), QStringLiteral("0101")); // not a number's own text: compared as text
        set.open();
        ASSERT_EQ(set.recordCount(), 1) << column;
        EXPECT_EQ(set.fieldAsString(QStringLiteral("label")), QStringLiteral("b"));
    }
}

TEST_F(RecordSetTest, aStatementThatNeverEndsIsInterruptedAfterTheTimeLimit)
{
    db().setReadLimits(300, ConnectionSettings::maxReadBytes);
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create view classes as with recursive c(n) as (select 1 union all select n + 1 from c) "
                             "select count(*) as [no], 'x' as remark from c"));
    RecordSet set(db());
    set.setSql(Statements::classList());
    try {
        set.open();
        FAIL() << "an endless statement returned";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Reading the rows took longer than 0.3 s; the bank may be damaged"));
    }
    EXPECT_FALSE(set.isOpen());

    // The limit covers one read: the next statement runs normally.
    bank.addSubjects(1, 2, 101);
    set.setSql(Statements::allSubjects());
    set.open();
    EXPECT_EQ(set.recordCount(), 2);
}

TEST_F(RecordSetTest, endlessRowsStopAtTheMemoryBound)
{
    db().setReadLimits(ConnectionSettings::readTimeLimitMs, 4 * 1024 * 1024);
    bank.exec(QStringLiteral("drop table classes"));
    bank.exec(QStringLiteral("create view classes as with recursive c(n) as (select 1 union all select n + 1 from c) "
                             "select n as [no], 'title' as remark from c"));
    RecordSet set(db());
    set.setSql(QStringLiteral("select * from classes")); // unsorted: rows arrive one by one
    try {
        set.open();
        FAIL() << "endless rows were read";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("The rows take more than 4 MB; the bank may be damaged"));
    }
}

TEST_F(RecordSetTest, oneRowWiderThanTheMemoryBoundStopsBeforeItIsHeld)
{
    db().setReadLimits(ConnectionSettings::readTimeLimitMs, 4 * 1024 * 1024);
    bank.exec(QStringLiteral("drop table classes"));
    // A single row of three 3 MB texts: past the bound within its first row.
    bank.exec(QStringLiteral("create view classes as select 1 as [no], printf('%.*c', 3000000, 'x') as a, "
                             "printf('%.*c', 3000000, 'y') as b, printf('%.*c', 3000000, 'z') as remark"));
    RecordSet set(db());
    set.setSql(Statements::classList());
    EXPECT_THROW(set.open(), StoreError);
    EXPECT_FALSE(set.isOpen());
}

TEST_F(RecordSetTest, byteValuesInColumnsOfAnyDeclaredTypeAreReadWhenAskedFor)
{
    bank.exec(QStringLiteral("create table typed (t text, i integer, p longbinary, n)"));
    bank.exec(QStringLiteral("insert into typed values (x'01', x'02', x'03', x'04')"));
    bank.exec(QStringLiteral("insert into typed values ('text', 7, null, 2.5)"));
    RecordSet set = openSet(QStringLiteral("select * from typed"));
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("t")), QByteArray("\x01", 1));
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("i")), QByteArray("\x02", 1));
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("p")), QByteArray("\x03", 1));
    EXPECT_EQ(set.fieldAsBytes(QStringLiteral("n")), QByteArray("\x04", 1));
    set.next();
    EXPECT_EQ(set.fieldAsString(QStringLiteral("t")), QStringLiteral("text"));
    EXPECT_EQ(set.fieldAsInteger(QStringLiteral("i")), 7);
    EXPECT_TRUE(set.fieldAsBytes(QStringLiteral("p")).isEmpty());
    EXPECT_EQ(set.fieldAsString(QStringLiteral("n")), QStringLiteral("2.5"));
}

TEST_F(RecordSetTest, longTextsAcrossStorageBlocksReadBackWhole)
{
    const QString longText = QString(700 * 1024, QChar(u'路'));     // 2.1 MB of UTF-8
    const QString shortText = QStringLiteral("短");
    bank.addSubject({1, longText, 0, 0, 0, 101, {}});
    bank.addSubject({2, shortText, 0, 0, 0, 101, {}});
    bank.addSubject({3, longText.left(400 * 1024), 0, 0, 0, 101, {}});
    RecordSet set = openSet(Statements::allSubjects());
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), longText);
    set.next();
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), shortText);
    set.next();
    EXPECT_EQ(set.fieldAsString(QStringLiteral("subject")), longText.left(400 * 1024));
}

#include "rules/BankTables.h"
#include "rules/CategoryNumber.h"
#include "rules/Statements.h"
#include "store/Database.h"
#include "store/Statement.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(BankTables, aNewBankHasEveryColumnTheProgramReadsAndRunsEveryStatement)
{
    QTemporaryDir dir;
    Database bank(QDir(dir.path()).filePath(QStringLiteral("velmora.db")), Database::Mode::NewFile);
    for (const QString& statement : BankTables::createStatements())
        bank.execute(statement);

    for (const BankTables::Table& table : BankTables::all()) {
        Statement columns(bank.handle(), QStringLiteral("select %1 from %2")
                                             .arg(BankTables::bracketed(table.columns),
                                                  BankTables::bracketed({table.name})));
        EXPECT_EQ(columns.columnCount(), table.columns.size()) << table.name.toStdString();
    }
    for (const QString& sql : {Statements::classList(), Statements::subjectsOfClass(), Statements::allSubjects(),
                               Statements::mustAnswerSubjects(), Statements::mustAnswerNumbers(),
                               Statements::ordinaryNumbers(), Statements::subjectByNumber(), Statements::materials()}) {
        Statement statement(bank.handle(), sql);
        EXPECT_FALSE(statement.step()) << sql.toStdString();
    }
}

TEST(CategoryNumber, aHeadingHasZerosAsItsSecondAndThirdCharacters)
{
    const struct
    {
        const char* text;
        bool heading;
    } cases[] = {
        {"100", true}, {"200", true}, {"1000", true}, {"2001", true}, {"101", false}, {"110", false},
        {"0101", false}, {"0100", false}, {"5", false}, {"10", false}, {"", false}, {"-100", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CategoryNumber::isHeading(QString::fromLatin1(c.text)), c.heading) << c.text;
    EXPECT_TRUE(CategoryNumber::isHeading(qint64(300)));
    EXPECT_FALSE(CategoryNumber::isHeading(qint64(301)));
}

// A category number's stored text is told a heading before it is read as a
// number, so a heading needs no number; any other text is offered as its
// number, or is not a number at all.
TEST(CategoryNumber, readingTheStoredTextSaysWhatItIs)
{
    using Kind = CategoryNumber::Kind;
    const struct
    {
        const char* text;
        Kind kind;
        int number;
    } cases[] = {
        {"100", Kind::Heading, 0},     {"x00", Kind::Heading, 0},   {"101", Kind::Offered, 101},
        {"0100", Kind::Offered, 100},  {" 7", Kind::Offered, 7},    {"-5", Kind::Offered, -5},
        {"", Kind::NotANumber, 0},     {"2x", Kind::NotANumber, 0}, {"101.5", Kind::NotANumber, 0},
        {"99999999999", Kind::NotANumber, 0},
    };
    for (const auto& c : cases) {
        const CategoryNumber::Reading reading = CategoryNumber::read(QString::fromLatin1(c.text));
        EXPECT_EQ(reading.kind, c.kind) << c.text;
        if (c.kind == Kind::Offered)
            EXPECT_EQ(reading.number, c.number) << c.text;
    }
}

// The statements the program issues are these texts to the byte, however
// they are put together from the table and column names.
TEST(Statements, areTheProgramsTextsToTheByte)
{
    const struct
    {
        QString statement;
        const char* text;
    } cases[] = {
        {Statements::classList(), "select * from classes order by [no]"},
        {Statements::subjectsOfClass(), "select * from Subjects where fatherNo = :fatherNo"},
        {Statements::allSubjects(), "select * from Subjects"},
        {Statements::mustAnswerSubjects(), "select * from Subjects where passOnly = 1"},
        {Statements::mustAnswerNumbers(), "select [no] from Subjects where passOnly = 1"},
        {Statements::ordinaryNumbers(), "select [no] from Subjects where passOnly = 0"},
        {Statements::subjectByNumber(), "select * from Subjects where [no] = :Num"},
        {Statements::materials(), "select * from ziliao"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.statement, QString::fromLatin1(c.text));
}

#include "tools/CsvBankReader.h"
#include "tools/CsvRecords.h"

#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CsvBankReaderTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    BankSource read(const QByteArray& csv, const QByteArray& categories = {})
    {
        writeFile(path(QStringLiteral("bank.csv")), csv);
        if (categories.isEmpty())
            return CsvBankReader::read(path(QStringLiteral("bank.csv")));
        writeFile(path(QStringLiteral("categories.csv")), categories);
        return CsvBankReader::read(path(QStringLiteral("bank.csv")), path(QStringLiteral("categories.csv")));
    }

    static QStringList reasons(const QList<SourceProblem>& problems)
    {
        QStringList texts;
        for (const SourceProblem& problem : problems)
            texts.append(QStringLiteral("%1: %2").arg(problem.line).arg(problem.reason));
        return texts;
    }

private:
    QTemporaryDir dir_;
};

const QByteArray header = "题号,题型,题干,答案,章节,必对,图片\n";

} // namespace

TEST_F(CsvBankReaderTest, readsQuotedFieldsWithCommasQuotesAndLineBreaks)
{
    const BankSource source = read(header
                                   + "1,单选,\"遇到这种情况，应当怎样做？\nA、减速, 让行\nB、\"\"鸣喇叭\"\"\nC、加速\",A,101,否,\n"
                                     "2,判断,\"直行\r\n通过\",对,101,是,\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.questions.size(), 2);
    EXPECT_EQ(source.content.questions[0].text,
              QStringLiteral("遇到这种情况，应当怎样做？\nA、减速, 让行\nB、\"鸣喇叭\"\nC、加速"));
    EXPECT_EQ(source.content.questions[1].text, QStringLiteral("直行\n通过"));
    EXPECT_EQ(source.content.questions[1].sourceLine, 6);
}

TEST_F(CsvBankReaderTest, acceptsAByteOrderMarkAndColumnsInAnyOrder)
{
    const BankSource source = read("\xEF\xBB\xBF" "章节,答案,题干,题号,题型,备注\n"
                                   "102,B,题目,5,single,editor's note\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.questions.size(), 1);
    const BankQuestion& question = source.content.questions[0];
    EXPECT_EQ(question.no, 5);
    EXPECT_EQ(question.category, 102);
    EXPECT_EQ(question.answer, 1);
    EXPECT_EQ(question.mustAnswer, 0);
    EXPECT_TRUE(question.pictureFile.isEmpty());
}

TEST_F(CsvBankReaderTest, acceptsEveryWayOfWritingTypesAnswersAndFlags)
{
    const BankSource source = read(header
                                   + "1,单选,q,A,101,是,\n"
                                     "2,选择,q,b,101,1,\n"
                                     "3,single,q,C,101,true,\n"
                                     "4,判断,q,对,101,否,\n"
                                     "5,judge,q,错,101,0,\n"
                                     "6,判断,q,正确,101,false,\n"
                                     "7,判断,q,错误,101,,\n"
                                     "8,判断,q,√,101,,\n"
                                     "9,判断,q,×,101,,\n"
                                     "10,判断,q,B,101,,\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    const QList<qint64> types{0, 0, 0, 1, 1, 1, 1, 1, 1, 1};
    const QList<qint64> answers{0, 1, 2, 0, 1, 0, 1, 0, 1, 1};
    const QList<qint64> flags{1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(source.content.questions.size(), 10);
    for (qsizetype i = 0; i < 10; ++i) {
        const BankQuestion& question = source.content.questions[i];
        EXPECT_EQ(question.type, types[i]) << "question " << question.no;
        EXPECT_EQ(question.answer, answers[i]) << "question " << question.no;
        EXPECT_EQ(question.mustAnswer, flags[i]) << "question " << question.no;
    }
}

TEST_F(CsvBankReaderTest, reportsEveryBadRowWithTheLineItStartsOn)
{
    const BankSource source = read(header
                                   + "1,单选,\"多行\n题干\",A,101,否,\n" // lines 2-3
                                     "x,单选,q,A,101,否,\n"             // 4: number
                                     "3,判断,q,C,101,否,\n"             // 5: C on true/false
                                     "\n"
                                     "4,问答,q,A,101,否,\n"             // 7: type
                                     "5,单选,,A,101,也许,\n");          // 8: text and flag
    const QStringList errors = reasons(source.problems.errors());
    EXPECT_EQ(errors,
              (QStringList{
                  QStringLiteral("4: 题号 \"x\" is not a whole number"),
                  QStringLiteral("5: 答案 \"C\" must be 对 or 错 (also 正确/错误, √/×, A/B) for this question type"),
                  QStringLiteral("7: 题型 \"问答\" must be 单选, 选择, single, 判断 or judge"),
                  QStringLiteral("8: 题干 is empty"),
                  QStringLiteral("8: 必对 \"也许\" must be 是/否, 1/0 or true/false"),
              }));
    EXPECT_EQ(source.problems.errors()[0].file, path(QStringLiteral("bank.csv")));
}

TEST_F(CsvBankReaderTest, reportsAMissingColumn)
{
    const BankSource source = read("题号,题型,题干,答案\n1,单选,q,A\n");
    EXPECT_EQ(reasons(source.problems.errors()), QStringList{QStringLiteral("1: the header has no column 章节")});
    EXPECT_TRUE(source.content.questions.isEmpty());
}

TEST_F(CsvBankReaderTest, refusesTextThatIsNotUtf8)
{
    const BankSource source = read(QByteArray("题号,题型,题干,答案,章节\n1,单选,") + "\xb5\xc0\xc2\xb7" + ",A,101\n");
    ASSERT_EQ(source.problems.errors().size(), 1);
    EXPECT_TRUE(source.problems.errors()[0].reason.contains(QStringLiteral("not UTF-8")));
}

TEST_F(CsvBankReaderTest, titlesCategoriesFromTheCategoriesFile)
{
    const BankSource source = read(header + "1,单选,q,A,101,否,\n2,单选,q,A,102,否,\n",
                                   "章节,名称\n100,\"法律, 法规\"\n101,驾驶证申领\n102,记分\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.categories.size(), 3);
    EXPECT_EQ(source.content.categories[0].no, 100);
    EXPECT_EQ(source.content.categories[0].title, QStringLiteral("法律, 法规"));
    EXPECT_EQ(source.content.categories[2].title, QStringLiteral("记分"));
    EXPECT_TRUE(source.problems.warnings().isEmpty());
}

TEST_F(CsvBankReaderTest, withoutACategoriesFileMakesOneTitledCategoryPerNumberUsed)
{
    const BankSource source = read(header + "1,单选,q,A,201,否,\n2,单选,q,A,101,否,\n3,单选,q,A,201,否,\n");
    ASSERT_EQ(source.content.categories.size(), 2);
    EXPECT_EQ(source.content.categories[0].no, 101);
    EXPECT_EQ(source.content.categories[0].title, QStringLiteral("第101章"));
    EXPECT_EQ(source.content.categories[1].no, 201);
    EXPECT_EQ(source.content.categories[1].title, QStringLiteral("第201章"));
}

TEST_F(CsvBankReaderTest, resolvesPicturesAgainstTheCsvFolder)
{
    const BankSource source = read(header + "1,单选,q,A,101,否,img/sign.png\n");
    ASSERT_EQ(source.content.questions.size(), 1);
    EXPECT_EQ(source.content.questions[0].pictureFile, path(QStringLiteral("img/sign.png")));
}

TEST(CsvRecords, skipsBlankAndEmptyRowsAndKeepsStartLines)
{
    const CsvFile file = CsvRecords::parse("a,b\r\n\r\n,,\n\"x\ny\",z\nlast,row");
    ASSERT_TRUE(file.error.isEmpty());
    ASSERT_EQ(file.records.size(), 3);
    EXPECT_EQ(file.records[0].line, 1);
    EXPECT_EQ(file.records[1].line, 4);
    EXPECT_EQ(file.records[1].fields, (QStringList{QStringLiteral("x\ny"), QStringLiteral("z")}));
    EXPECT_EQ(file.records[2].line, 6);
    EXPECT_EQ(file.records[2].fields, (QStringList{QStringLiteral("last"), QStringLiteral("row")}));
}

TEST(CsvRecords, reportsAQuotedFieldThatIsNeverClosed)
{
    const CsvFile file = CsvRecords::parse("a,b\n\"open,c\n");
    EXPECT_FALSE(file.error.isEmpty());
}

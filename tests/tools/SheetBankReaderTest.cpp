#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/sheet/CsvRecords.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/formats/sheet/SheetHeader.h"

#include "FileSystemFixtures.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SheetBankReaderTest : public FolderTest
{
protected:
    BankSource read(const QByteArray& csv, const QByteArray& categories = {})
    {
        writeFile(path(QStringLiteral("bank.csv")), csv);
        if (categories.isEmpty())
            return SheetBankReader::read(path(QStringLiteral("bank.csv")));
        writeFile(path(QStringLiteral("categories.csv")), categories);
        return SheetBankReader::read(path(QStringLiteral("bank.csv")), path(QStringLiteral("categories.csv")));
    }

    static QStringList reasons(const QList<SourceProblem>& problems)
    {
        QStringList texts;
        for (const SourceProblem& problem : problems)
            texts.append(QStringLiteral("%1%2: %3").arg(problem.line).arg(problem.column, problem.reason));
        return texts;
    }
};

const QByteArray header = "题号,题型,题干,答案,章节,必对,图片\n";

} // namespace

TEST_F(SheetBankReaderTest, readsQuotedFieldsWithCommasQuotesAndLineBreaks)
{
    const BankSource source = read(header
                                   + "1,单选,\"遇到这种情况，应当怎样做？\nA、减速, 让行\nB、\"\"鸣喇叭\"\"\nC、加速\",A,101,否,\n"
                                     "2,判断,\"直行\r\n通过\",对,101,是,\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.questions.size(), 2);
    EXPECT_EQ(source.content.questions[0].text,
              QStringLiteral("遇到这种情况，应当怎样做？\nA、减速, 让行\nB、\"鸣喇叭\"\nC、加速"));
    EXPECT_EQ(source.content.questions[1].text, QStringLiteral("直行\n通过"));
    EXPECT_EQ(source.content.questions[1].sourceLine, 3); // the row, though it starts on line 6
}

TEST_F(SheetBankReaderTest, acceptsAByteOrderMarkAndColumnsInAnyOrder)
{
    const BankSource source = read("\xEF\xBB\xBF" "章节,答案,题干,题号,题型,备注\n"
                                   "102,B,\"题目\nA、一\nB、二\nC、三\",5,single,editor's note\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.questions.size(), 1);
    const BankQuestion& question = source.content.questions[0];
    EXPECT_EQ(question.no, 5);
    EXPECT_EQ(question.category, 102);
    EXPECT_EQ(question.answer, 1);
    EXPECT_EQ(question.mustAnswer, 0);
    EXPECT_TRUE(question.pictureFile.isEmpty());
}

TEST_F(SheetBankReaderTest, acceptsEveryWayOfWritingTypesAnswersAndFlags)
{
    const BankSource source = read(header
                                   + "1,单选,\"q\nA、一\nB、二\nC、三\",A,101,是,\n"
                                     "2,选择,\"q\nA、一\nB、二\nC、三\",b,101,1,\n"
                                     "3,single,\"q\nA、一\nB、二\nC、三\",C,101,true,\n"
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

// The spellings teachers type in Excel or WPS: 题型 with 题, 是非题, ticks,
// Y/N, full-width letters, picture paths written with backslashes, and
// answers copied with their label and full stop.
TEST_F(SheetBankReaderTest, acceptsTheSpellingsTeachersType)
{
    const BankSource source = read(header
                                   + "1,单选题,\"q\nA、一\nB、二\nC、三\",Ａ,101,√,pics\\stop.png\n"
                                     "2,单项选择题,\"q\nA、一\nB、二\nC、三\",ｃ,101,Y,\n"
                                     "3,判断题,q,✓,101,×,\n"
                                     "4,是非题,q,F,101,N,\n"
                                     "5,是非,q,Ｔ,101,yes,\n"
                                     "6,对错题,q,false,101,no,\n"
                                     "7,单选题,\"q\nA、一\nB、二\nC、三\",答案：B,101,,\n"
                                     "8,单选题,\"q\nA、一\nB、二\nC、三\",C。,101,,\n"
                                     "9,单选题,\"q\nA、一\nB、二\nC、三\",\"正确答案: a\n解析：见第三条\",101,,\n"
                                     "10,判断题,q,参考答案：错,101,,\n"
                                     "11,判断题,q,Answer: T.,101,,\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    const struct
    {
        qint64 type;
        qint64 answer;
        qint64 mustAnswer;
    } expected[] = {{0, 0, 1}, {0, 2, 1}, {1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 0},
                    {0, 1, 0}, {0, 2, 0}, {0, 0, 0}, {1, 1, 0}, {1, 0, 0}};
    ASSERT_EQ(source.content.questions.size(), std::size(expected));
    for (qsizetype i = 0; i < qsizetype(std::size(expected)); ++i) {
        const BankQuestion& question = source.content.questions[i];
        EXPECT_EQ(question.type, expected[i].type) << "question " << question.no;
        EXPECT_EQ(question.answer, expected[i].answer) << "question " << question.no;
        EXPECT_EQ(question.mustAnswer, expected[i].mustAnswer) << "question " << question.no;
    }
    EXPECT_EQ(source.content.questions[0].pictureFile, path(QStringLiteral("pics/stop.png")));
}

// Options in columns of their own are merged into the question in the
// bank's layout; what the program cannot show is an error naming the cell,
// never dropped.
TEST_F(SheetBankReaderTest, mergesOptionColumnsAndRefusesWhatWouldBeLost)
{
    const QByteArray optionHeader = "题号,题型,题干,选项A,选项B,选项C,选项D,答案,章节\n";
    const BankSource good = read(optionHeader
                                 + "1,单选题,\"在这种情况下\n应当？\",减速,鸣喇叭,\"加速, 通过\",,B,101\n"
                                   "2,判断题,可以吗？,正确,错误,,,对,101\n"
                                   "3,单选,\"题\nA、一\nB、二\nC、三\",,,,,C,101\n");
    ASSERT_FALSE(good.problems.hasErrors()) << reasons(good.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(good.content.questions.size(), 3);
    EXPECT_EQ(good.content.questions[0].text, QStringLiteral("在这种情况下\n应当？\nA、减速\nB、鸣喇叭\nC、加速, 通过"));
    EXPECT_EQ(good.content.questions[1].text, QStringLiteral("可以吗？"));
    EXPECT_EQ(good.content.questions[2].text, QStringLiteral("题\nA、一\nB、二\nC、三"));

    const BankSource bad = read(optionHeader
                                + "1,单选,q,一,二,三,四,A,101\n"     // row 2: a fourth option
                                  "2,单选,q,一,,三,,A,101\n"         // row 3: B missing
                                  "3,判断,q,一,二,,,对,101\n"        // row 4: options on true/false
                                  "4,单选,q,,,,,B,101\n");          // row 5: no options at all
    EXPECT_EQ(reasons(bad.problems.errors()),
              (QStringList{
                  QStringLiteral("3E: the option is empty, but other options are given; a single-choice question has "
                                 "three options, A, B and C"),
                  QStringLiteral("4D: a true/false question has no options, but this column holds one; leave it empty "
                                 "(or write the question type 单选 if it has options)"),
                  QStringLiteral("4E: a true/false question has no options, but this column holds one; leave it empty "
                                 "(or write the question type 单选 if it has options)"),
              }));
    EXPECT_EQ(bad.problems.errors()[1].value, QStringLiteral("一"));
    // What the program cannot show is never stored changed: the row is
    // left out, named with its cell and reason, for build to refuse.
    ASSERT_EQ(bad.leftOut.rows.size(), 2);
    EXPECT_EQ(bad.leftOut.rows[0].place.number, 2);
    EXPECT_EQ(bad.leftOut.rows[0].place.column, QStringLiteral("G"));
    EXPECT_EQ(bad.leftOut.rows[0].value, QStringLiteral("四"));
    EXPECT_EQ(bad.leftOut.rows[1].place.number, 5);
    EXPECT_TRUE(bad.leftOut.rows[1].reason.startsWith(QStringLiteral("a single-choice question without its options")));
    EXPECT_TRUE(bad.content.questions.isEmpty());
}

// Problems name the row as the spreadsheet numbers it (a cell with line
// breaks is one row), the column and its header, and say what to write.
TEST_F(SheetBankReaderTest, reportsEveryBadRowWithItsRowAndColumn)
{
    const BankSource source = read(header
                                   + "1,单选,\"多行\n题干\",A,101,否,\n" // row 2, lines 2-3
                                     "x,单选,\"q\nA、一\nB、二\nC、三\",A,101,否,\n"             // row 3: number
                                     "3,判断,q,C,101,否,\n"             // row 4: C on true/false
                                     "\n"                               // row 5
                                     "4,其他,q,A,101,否,\n"             // row 6: type
                                     "5,单选,,A,101,也许,\n");          // row 7: text and flag
    const QStringList errors = reasons(source.problems.errors());
    EXPECT_EQ(errors,
              (QStringList{
                  QStringLiteral("3A: not a whole number; write a whole number, such as 12"),
                  QStringLiteral("4D: not an answer to a true/false question; write one of 对/错, "
                                 "正确/错误, √/×, ✓/✗, A/B, T/F, Y/N, true/false"),
                  QStringLiteral("6B: not a question type; write one of 单选, 单选题, 选择, 选择题, "
                                 "单项选择, 单项选择题, single, 判断, 判断题, 是非, 是非题, 对错, 对错题, judge"),
                  QStringLiteral("7C: the question is empty; write the question in this column"),
                  QStringLiteral("7F: does not say whether the question must be answered right; write one "
                                 "of 是/否, 1/0, true/false, yes/no, Y/N, √/×, ✓/✗, 对/错, or leave it empty for 否"),
              }));
    EXPECT_EQ(source.problems.errors()[0].file, path(QStringLiteral("bank.csv")));
    EXPECT_EQ(source.problems.errors()[0].toString(),
              path(QStringLiteral("bank.csv")) + QStringLiteral(": row 3, column A (题号): \"x\": not a whole "
                                                               "number; write a whole number, such as 12"));
}

TEST_F(SheetBankReaderTest, reportsAMissingColumn)
{
    const BankSource source = read("题号,题型,题干,章节\n1,单选,\"q\nA、一\nB、二\nC、三\",101\n");
    EXPECT_EQ(reasons(source.problems.errors()),
              QStringList{QStringLiteral("1: no header row names the columns 题干 (or 题目, 试题, 问题, 题目内容, "
                                         "试题内容, 题干内容, question); 答案 (or 正确答案, 标准答案, 参考答案, "
                                         "正确选项, answer); write them in the first row of the sheet")});
    EXPECT_TRUE(source.content.questions.isEmpty());
}

// Spreadsheets save CSV in the local code page (GBK) or as "Unicode 文本"
// (UTF-16, tab-separated); each is read, and the build says how.
TEST_F(SheetBankReaderTest, readsEveryEncodingSpreadsheetsSaveIn)
{
    const QString text = QStringLiteral("题号,题型,题干,答案,章节\n1,单选题,\"道路\n交通\nA、一\nB、二\nC、三\",Ａ,101\n");
    QByteArray utf16le("\xFF\xFE");
    QString tabbed = text;
    tabbed.replace(QLatin1Char(','), QLatin1Char('\t'));
    utf16le += QByteArray(reinterpret_cast<const char*>(tabbed.utf16()), tabbed.size() * 2);
    QByteArray utf16be("\xFE\xFF");
    for (QChar c : text) {
        utf16be.append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() & 0xff));
    }
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString readAs;
    } cases[] = {
        {"UTF-8", text.toUtf8(), QStringLiteral("CSV, UTF-8")},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + text.toUtf8(), QStringLiteral("CSV, UTF-8")},
        {"GBK, as \"CSV (逗号分隔)\" saves it", gb18030(text), QStringLiteral("CSV, GB18030")},
        {"UTF-16 with tabs, as \"Unicode 文本\" saves it", utf16le, QStringLiteral("tab-separated text, UTF-16")},
        {"UTF-16 big-endian with commas", utf16be, QStringLiteral("CSV, UTF-16")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BankSource source = read(c.bytes);
        ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
        ASSERT_EQ(source.content.questions.size(), 1);
        EXPECT_EQ(source.content.questions[0].text, QStringLiteral("道路\n交通\nA、一\nB、二\nC、三"));
        EXPECT_EQ(source.content.questions[0].answer, 0);
        EXPECT_EQ(source.notes, QStringList{path(QStringLiteral("bank.csv")) + QStringLiteral(": read as ") + c.readAs});
    }
}

// Bytes that are no text a spreadsheet saves, or a workbook under a text
// name, are refused with what to do.
TEST_F(SheetBankReaderTest, refusesFilesThatAreNotSpreadsheetText)
{
    const struct
    {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {QByteArray("\x81\x30\x81", 3), QStringLiteral("not text in UTF-8, GB18030 (GBK) or UTF-16")},
        // Told by content, whatever the name: a workbook saved as .csv is
        // read as the workbook it is, and a damaged one is said to be one.
        {QByteArray("PK\x03\x04rest"), QStringLiteral("not an Excel workbook (.xlsx): the file is not a zip archive")},
        {QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest"), QStringLiteral("not an Excel 97-2003 workbook (.xls)")},
    };
    for (const auto& c : cases) {
        const BankSource source = read(c.bytes);
        ASSERT_EQ(source.problems.errors().size(), 1);
        EXPECT_TRUE(source.problems.errors()[0].reason.contains(c.expected))
            << source.problems.errors()[0].reason.toStdString();
    }
}

TEST_F(SheetBankReaderTest, titlesCategoriesFromTheCategoriesFile)
{
    const BankSource source = read(header + "1,单选,\"q\nA、一\nB、二\nC、三\",A,101,否,\n2,单选,\"q\nA、一\nB、二\nC、三\",A,102,否,\n",
                                   "章节,名称\n100,\"法律, 法规\"\n101,驾驶证申领\n102,记分\n");
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.categories.size(), 3);
    EXPECT_EQ(source.content.categories[0].no, 100);
    EXPECT_EQ(source.content.categories[0].title, QStringLiteral("法律, 法规"));
    EXPECT_EQ(source.content.categories[2].title, QStringLiteral("记分"));
    EXPECT_TRUE(source.problems.warnings().isEmpty());
}

TEST_F(SheetBankReaderTest, withoutACategoriesFileMakesOneTitledCategoryPerNumberUsed)
{
    const BankSource source = read(header + "1,单选,\"q\nA、一\nB、二\nC、三\",A,201,否,\n2,单选,\"q\nA、一\nB、二\nC、三\",A,101,否,\n3,单选,\"q\nA、一\nB、二\nC、三\",A,201,否,\n");
    ASSERT_EQ(source.content.categories.size(), 2);
    EXPECT_EQ(source.content.categories[0].no, 101);
    EXPECT_EQ(source.content.categories[0].title, QStringLiteral("第101章"));
    EXPECT_EQ(source.content.categories[1].no, 201);
    EXPECT_EQ(source.content.categories[1].title, QStringLiteral("第201章"));
}

TEST_F(SheetBankReaderTest, resolvesPicturesAgainstTheCsvFolder)
{
    const BankSource source = read(header + "1,单选,\"q\nA、一\nB、二\nC、三\",A,101,否,img/sign.png\n");
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

// The names teachers give their columns, with the remarks, spaces and
// full-width forms they type.
TEST(SheetHeader, matchesTheColumnNamesTeachersWrite)
{
    using SheetHeader::Column;
    const struct
    {
        const char* header;
        std::optional<Column> column;
    } columns[] = {
        {"题号", Column::No},          {"序号", Column::No},
        {"类型", Column::Type},        {"题 型", Column::Type},
        {"试题", Column::Text},        {"题目（必填）", Column::Text},
        {"Question", Column::Text},    {"正确答案(只能输入ABCD否则报错)", Column::Answer},
        {"答案【单选填字母】", Column::Answer}, {"ＡＮＳＷＥＲ", Column::Answer},
        {"所属章节", Column::Category}, {"必答题", Column::MustAnswer},
        {"必考", Column::MustAnswer},  {"必考题", Column::MustAnswer},
        {"图片路径", Column::Picture}, {"答案解析", Column::Explanation},
        {"备注", std::nullopt},        {"选项A", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : columns)
        EXPECT_EQ(SheetHeader::column(SheetHeader::SheetKind::Questions, QString::fromUtf8(c.header)), c.column) << c.header;

    const struct
    {
        const char* header;
        std::optional<int> option;
    } options[] = {
        {"A", 0},     {"b", 1},     {"A选项", 0}, {"选项C", 2}, {"选项 D", 3}, {"选项1", 0},
        {"选项三", 2}, {"Option B", 1}, {"Ｃ", 2}, {"AB", std::nullopt}, {"答案", std::nullopt},
    };
    for (const auto& c : options)
        EXPECT_EQ(SheetHeader::optionIndex(QString::fromUtf8(c.header)), c.option) << c.header;
}

// A workbook written by libxlsxwriter with English headers, a title above
// the header and a blank row: read as a teacher means it.
TEST_F(SheetBankReaderTest, readsAWorkbookWithEnglishHeadersAndATitleRow)
{
    using Cell = SheetBankWriter::Cell;
    SheetBankWriter::Table table;
    table.name = QStringLiteral("Questions");
    table.header = {QStringLiteral("Road rules, spring term")};
    table.rows = {
        {},
        {{QStringLiteral("Question")}, {QStringLiteral("Option A")}, {QStringLiteral("Option B")},
         {QStringLiteral("Option C")}, {QStringLiteral("Answer")}, {QStringLiteral("Chapter")}},
        {{QStringLiteral("Which licence?")}, {QStringLiteral("one")}, {QStringLiteral("two")},
         {QStringLiteral("three")}, {QStringLiteral("c")}, {QStringLiteral("7"), true}},
        {},
        {{QStringLiteral("Drive after drinking?")}, {}, {}, {}, {QStringLiteral("×")}, {QStringLiteral("7"), true}},
    };
    QString error;
    ASSERT_TRUE(SheetBankWriter::xlsx({table}, path(QStringLiteral("english.xlsx")), error)) << error.toStdString();
    const BankSource source = SheetBankReader::read(path(QStringLiteral("english.xlsx")));
    ASSERT_FALSE(source.problems.hasErrors()) << reasons(source.problems.errors()).join('\n').toStdString();
    ASSERT_EQ(source.content.questions.size(), 2);
    EXPECT_EQ(source.content.questions[0].text, QStringLiteral("Which licence?\nA、one\nB、two\nC、three"));
    EXPECT_EQ(source.content.questions[0].answer, 2);
    EXPECT_EQ(source.content.questions[0].no, 1);
    EXPECT_EQ(source.content.questions[1].type, 1);
    EXPECT_EQ(source.content.questions[1].answer, 1);
    EXPECT_EQ(source.content.questions[1].no, 2);
    EXPECT_EQ(source.content.questions[1].sourceLine, 6);
    ASSERT_EQ(source.content.categories.size(), 1);
    EXPECT_EQ(source.content.categories[0].no, 7);
}

// Sheets shaped like the ones teachers keep (made by
// fixtures/make-teacher-sheets.py, saved by openpyxl and by LibreOffice as
// .xlsx, .xls and .ods), built by the quenhar-bank program as a teacher
// would: first as they are, then with the one option the refusal names.
// Every question the program can show must be in the bank exactly as the
// sheet holds it, in sheet order; every other row must be in the left-out
// workbook, counted by reason; the report must stay short.

#include "tools/formats/sheet/Sheet.h"

#include "ToolFixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString fixtures = QStringLiteral(QUENHAR_TEACHER_SHEETS);

struct TeacherSheet
{
    const char* file;
    const char* expected; // the .expected.json beside it
    const char* readAs;   // how the note says it was read
};

const TeacherSheet sheets[] = {
    {"letters.xlsx", "letters", "Excel workbook"},
    {"scraped.xlsx", "scraped", "Excel workbook"},
    {"bare.csv", "bare", "CSV, GB18030"},
    {"numbered.xls", "numbered", "Excel 97-2003 workbook"},
    {"inferred.ods", "inferred", "OpenDocument spreadsheet"},
    {"renamed-ods.csv", "renamed-ods", "OpenDocument spreadsheet"},
    {"several-sheets.xlsx", "several-sheets", "Excel workbook, worksheet \"题目\""},
    {"school.xlsx", "school", "Excel workbook, worksheet \"科目一题库\""},
    {"school.xls", "school", "Excel 97-2003 workbook, worksheet \"科目一题库\""},
    {"school.ods", "school", "OpenDocument spreadsheet, worksheet \"科目一题库\""},
};

QJsonObject expectedOf(const char* name)
{
    QFile file(QDir(fixtures).filePath(QString::fromLatin1(name) + QStringLiteral(".expected.json")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// A question as tableRows() lists a Subjects row.
QString subjectRow(const QJsonObject& question)
{
    return QStringLiteral("integer:%1|text:%2|integer:%3|integer:%4|integer:%5|integer:%6|null")
        .arg(question[QLatin1String("no")].toInteger())
        .arg(question[QLatin1String("text")].toString())
        .arg(question[QLatin1String("answer")].toInteger())
        .arg(question[QLatin1String("type")].toInteger())
        .arg(question[QLatin1String("mustAnswer")].toInteger())
        .arg(question[QLatin1String("category")].toInteger());
}

int leftOutCount(const QJsonObject& expected)
{
    int count = 0;
    const QJsonObject reasons = expected[QLatin1String("leftOut")].toObject();
    for (auto it = reasons.begin(); it != reasons.end(); ++it)
        count += it.value().toInt();
    return count;
}

class TeacherSheetsTest : public ::testing::TestWithParam<TeacherSheet>
{
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST_P(TeacherSheetsTest, buildsEveryQuestionTheProgramCanShowUnchangedAndListsTheRest)
{
    const TeacherSheet& sheet = GetParam();
    const QJsonObject expected = expectedOf(sheet.expected);
    ASSERT_FALSE(expected.isEmpty()) << sheet.expected;
    const QString source = QDir(fixtures).filePath(QString::fromLatin1(sheet.file));
    const QString bank = path(QStringLiteral("velmora.db"));
    const int leftOut = leftOutCount(expected);

    // As it is: built when every row can be shown, else refused with the
    // one option that builds the rest named, in a short report.
    const ProgramRun asIs = runQuenharBank({QStringLiteral("build"), source, bank});
    EXPECT_TRUE(asIs.err.contains(QString::fromUtf8(sheet.readAs))) << asIs.err.toStdString();
    EXPECT_LE(asIs.err.count(QLatin1Char('\n')), 60) << asIs.err.toStdString();
    if (leftOut == 0) {
        ASSERT_EQ(asIs.exitCode, 0) << asIs.err.toStdString();
    } else {
        EXPECT_EQ(asIs.exitCode, 1) << asIs.err.toStdString();
        EXPECT_TRUE(asIs.err.contains(QStringLiteral("--skip-unshowable"))) << asIs.err.toStdString();
        EXPECT_FALSE(QFile::exists(bank));

        const ProgramRun skipping = runQuenharBank({QStringLiteral("build"), QStringLiteral("--skip-unshowable"),
                                                    source, bank});
        ASSERT_EQ(skipping.exitCode, 0) << skipping.err.toStdString();
        EXPECT_LE(skipping.err.count(QLatin1Char('\n')), 60) << skipping.err.toStdString();
        const Sheet left = SheetFiles::read(path(QStringLiteral("velmora.left-out.xlsx")));
        ASSERT_TRUE(left.error.isEmpty()) << left.error.toStdString();
        EXPECT_EQ(left.rows.size(), leftOut + 1); // with its header
    }

    QStringList wanted;
    for (const QJsonValue& question : expected[QLatin1String("questions")].toArray())
        wanted.append(subjectRow(question.toObject()));
    const QStringList built = tableRows(bank, QStringLiteral("Subjects"));
    EXPECT_EQ(built.size(), wanted.size());
    for (qsizetype i = 0; i < qMin(built.size(), wanted.size()); ++i)
        ASSERT_EQ(built[i], wanted[i]) << sheet.file << " question " << i + 1;

    const QJsonObject categories = expected[QLatin1String("categories")].toObject();
    if (!categories.isEmpty()) {
        QStringList titles;
        for (auto it = categories.begin(); it != categories.end(); ++it)
            titles.append(QStringLiteral("integer:%1|text:%2").arg(it.key(), it.value().toString()));
        EXPECT_EQ(tableRows(bank, QStringLiteral("classes")), titles);
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, TeacherSheetsTest, ::testing::ValuesIn(sheets),
                         [](const ::testing::TestParamInfo<TeacherSheet>& info) {
                             // One sheet may come in several formats: the file names the case.
                             return QString::fromUtf8(info.param.file)
                                 .remove(QLatin1Char('-'))
                                 .replace(QLatin1Char('.'), QLatin1Char('_'))
                                 .toStdString();
                         });

namespace {

class TeacherReportTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace

// A long sheet with the same faults in every row is reported as a teacher
// can read it: each fault once per column with its count and first rows,
// values on one line, within 60 lines, a summary last.
TEST_F(TeacherReportTest, aLongSheetWithManyFaultsGivesAShortReport)
{
    QByteArray csv = "题号,题型,题干,答案,章节,必对\n";
    for (int i = 1; i <= 1550; ++i)
        csv += QByteArray::number(i) + ",判断,\"第" + QByteArray::number(i) + "题\",\"对\n章节测验\n已完成\",101,"
               + (i % 2 ? "也许" : "\"待定\n再说\"") + "\n";
    writeFile(path(QStringLiteral("题库.csv")), csv);
    const ProgramRun run = runQuenharBank({QStringLiteral("build"), path(QStringLiteral("题库.csv")),
                                           path(QStringLiteral("velmora.db"))});
    EXPECT_EQ(run.exitCode, 1);
    QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith(QLatin1String("QStandardPaths:")); }); // Qt's, not ours
    EXPECT_LE(lines.size(), 60) << run.err.toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("error: ")).size(), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral(" rows: 2 \"也许\", 3 \"待定⏎再说\", 4 \"也许\""))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("1,550 answers are followed by other text"))) << run.err.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("1,550 error(s), 0 warning(s)"))) << run.err.toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("note: ")) || line.startsWith(QStringLiteral("error: "))
                    || line.startsWith(QStringLiteral("    ")) || line.contains(QStringLiteral("error(s)"))
                    || line.contains(QStringLiteral("counted but not listed"))
                    || line.contains(QStringLiteral("no bank was written")))
            << "a value's line break reached the report: [" << line.toStdString() << "]";
}

// A bad categories file is said first, and alone: the questions depend on
// it, and a report of every question's category would bury it.
TEST_F(TeacherReportTest, aBadCategoriesFileIsReportedBeforeAnythingElse)
{
    QByteArray csv = "题号,题型,题干,答案,章节\n";
    for (int i = 1; i <= 500; ++i)
        csv += QByteArray::number(i) + ",判断,题,对,10" + QByteArray::number(i % 5) + "\n";
    writeFile(path(QStringLiteral("题库.csv")), csv);
    writeFile(path(QStringLiteral("章节.csv")), "编号,说明\n101,x\n");
    const ProgramRun run = runQuenharBank({QStringLiteral("build"), QStringLiteral("--categories"),
                                           path(QStringLiteral("章节.csv")), path(QStringLiteral("题库.csv")),
                                           path(QStringLiteral("velmora.db"))});
    EXPECT_EQ(run.exitCode, 1);
    const QStringList errors = run.err.split(QLatin1Char('\n')).filter(QStringLiteral("error: "));
    ASSERT_EQ(errors.size(), 1) << run.err.toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("error: ") + path(QStringLiteral("章节.csv"))))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("题库.csv: row"))) << run.err.toStdString();
}

// The system's reasons come in the teacher's language.
TEST_F(TeacherReportTest, systemReasonsFollowTheLocale)
{
    const QString missing = path(QStringLiteral("不存在.xlsx"));
    const ProgramRun chinese = runQuenharBank({QStringLiteral("build"), missing, path(QStringLiteral("velmora.db"))},
                                              QStringLiteral("zh_CN.UTF-8"));
    EXPECT_EQ(chinese.exitCode, 1);
    EXPECT_TRUE(chinese.err.contains(QStringLiteral("没有这个文件或文件夹"))) << chinese.err.toStdString();
    EXPECT_FALSE(chinese.err.contains(QStringLiteral("No such file"))) << chinese.err.toStdString();
    const ProgramRun english = runQuenharBank({QStringLiteral("build"), missing, path(QStringLiteral("velmora.db"))});
    EXPECT_TRUE(english.err.contains(QStringLiteral("no such file or folder"))) << english.err.toStdString();
}

// A teacher's start: the template holds every column and builds as it is.
TEST_F(TeacherReportTest, theTemplateBuildsIntoABankOfItsExamples)
{
    const QString sheet = path(QStringLiteral("题库模板.xlsx"));
    const ProgramRun written = runQuenharBank({QStringLiteral("template"), sheet});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    const Sheet questions = SheetFiles::read(sheet, QStringLiteral("题目"));
    ASSERT_FALSE(questions.rows.isEmpty()) << questions.error.toStdString();
    EXPECT_EQ(questions.rows[0].cells,
              (QStringList{QStringLiteral("题号"), QStringLiteral("题型"), QStringLiteral("题干"),
                           QStringLiteral("选项A"), QStringLiteral("选项B"), QStringLiteral("选项C"),
                           QStringLiteral("答案"), QStringLiteral("章节"), QStringLiteral("必对"),
                           QStringLiteral("图片"), QStringLiteral("解析")}));
    EXPECT_EQ(questions.rows.size(), 4);

    const ProgramRun built = runQuenharBank({QStringLiteral("build"), sheet, path(QStringLiteral("velmora.db"))});
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_EQ(tableRows(path(QStringLiteral("velmora.db")), QStringLiteral("Subjects")).size(), 3);
    EXPECT_EQ(tableRows(path(QStringLiteral("velmora.db")), QStringLiteral("classes")).size(), 3);

    const ProgramRun again = runQuenharBank({QStringLiteral("template"), sheet});
    EXPECT_EQ(again.exitCode, 2) << again.err.toStdString();
}

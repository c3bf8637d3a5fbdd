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
                             return QString::fromLatin1(info.param.expected).remove(QLatin1Char('-')).toStdString();
                         });

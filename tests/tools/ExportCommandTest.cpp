#include "tools/commands/BuildCommand.h"
#include "tools/commands/ExportCommand.h"
#include "tools/pictures/SvgPicture.h"

#include <QFile>

#include "support/TestBank.h"
#include "ToolFixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList tables{QStringLiteral("classes"), QStringLiteral("Subjects"), QStringLiteral("ziliao")};

class ExportCommandTest : public FolderTest
{
protected:
    // Exports `bank` to `outDir` and builds the export into `rebuilt`.
    void exportAndRebuild(const QString& bank, const QString& outDir, const QString& rebuilt)
    {
        const CommandOutcome exported = outcomeOf([&] { return ExportCommand::run({bank, outDir}); });
        ASSERT_EQ(exported.exitCode, 0) << exported.text().toStdString();
        const CommandOutcome built = outcomeOf(
            [&] { return BuildCommand::run({QDir(outDir).filePath(QStringLiteral("bank.json")), {}, rebuilt}); });
        ASSERT_EQ(built.exitCode, 0) << built.text().toStdString();
    }

    static void expectSameTables(const QString& a, const QString& b)
    {
        for (const QString& table : tables)
            EXPECT_EQ(tableRows(a, table), tableRows(b, table)) << table.toStdString();
    }
};

} // namespace

TEST_F(ExportCommandTest, buildExportAndBuildAgainGiveTheSameTablesAndPictures)
{
    writeFile(path(QStringLiteral("src/pictures/sign.svg")),
              R"(<svg xmlns="http://www.w3.org/2000/svg" width="12" height="8"><rect width="6" height="8" fill="red"/></svg>)");
    // The same sign as a PNG where the build reads no SVG (SvgPicture).
    QImage sign(12, 8, QImage::Format_RGB32);
    sign.fill(Qt::white);
    writeFile(path(QStringLiteral("src/pictures/sign.png")), encoded(sign, "PNG"));
    const QString signFile = SvgPicture::readable() ? QStringLiteral("sign.svg") : QStringLiteral("sign.png");
    QImage photo(5, 4, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    writeFile(path(QStringLiteral("src/pictures/photo.png")), encoded(photo, "PNG"));
    writeFile(path(QStringLiteral("src/pictures/framed.bmp")), withPictureHeader(makeBitmap(3, 3, 0x00ff00)));
    writeFile(path(QStringLiteral("src/pictures/empty.bmp")), QByteArray());
    writeFile(path(QStringLiteral("src/bank.json")),
              jsonSource({R"({"no": 200, "title": "章"})", R"({"no": 201, "title": "节 \"引号\""})",
                          R"({"no": 101, "title": "乱序"})"},
                         {QStringLiteral(R"({"no": 9, "category": 201, "type": "single", "text": "题\nA、一\nB、二\nC、三", "answer": "B", "mustAnswer": true, "picture": "pictures/%1"})").arg(signFile),
                          R"({"no": 2, "category": 101, "type": "judge", "text": "判\t断", "answer": "错", "mustAnswer": false, "picture": "pictures/photo.png"})",
                          R"({"no": 3, "category": 200, "type": 1, "text": "C 的判断", "answer": 2, "mustAnswer": 0, "picture": "pictures/framed.bmp"})",
                          R"({"no": 4, "category": 999, "type": 6, "text": "", "answer": -3, "mustAnswer": 7, "picture": "pictures/empty.bmp"})",
                          R"({"no": 5, "category": 9007199254740993, "type": "single", "text": "大数", "answer": 9007199254740993, "mustAnswer": false})"},
                         {R"({"id": 4, "title": "甲", "text": "一\n二"})", R"({"id": 2, "title": "乙", "text": ""})"}));

    const CommandOutcome first = outcomeOf(
        [&] { return BuildCommand::run({path(QStringLiteral("src/bank.json")), {}, path(QStringLiteral("first.db"))}); });
    ASSERT_EQ(first.exitCode, 0) << first.text().toStdString();
    exportAndRebuild(path(QStringLiteral("first.db")), path(QStringLiteral("export")), path(QStringLiteral("second.db")));

    expectSameTables(path(QStringLiteral("first.db")), path(QStringLiteral("second.db")));
    // The stored pictures themselves, byte for byte, as exported files.
    EXPECT_EQ(readFile(path(QStringLiteral("export/pictures/3.bmp"))), withPictureHeader(makeBitmap(3, 3, 0x00ff00)));
    EXPECT_EQ(readFile(path(QStringLiteral("export/pictures/4.bmp"))), QByteArray());
    EXPECT_TRUE(readFile(path(QStringLiteral("export/pictures/9.bmp"))).startsWith("BM"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("export/pictures/5.bmp"))));
    EXPECT_EQ(tableRows(path(QStringLiteral("first.db")), QStringLiteral("Subjects")).size(), 5);
}

TEST_F(ExportCommandTest, aBankMadeElsewhereExportsAndBuildsBackUnchanged)
{
    TestBank bank;
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 120, 101);
    bank.addSubjects(500, 16, 101, 1);
    bank.addSubject({700, QStringLiteral("有图"), 1, 0, 0, 101, withPictureHeader(makeBitmap(4, 4))});
    bank.addMaterial(QStringLiteral("标题"), QStringLiteral("正文"));

    exportAndRebuild(bank.path(), path(QStringLiteral("export")), path(QStringLiteral("rebuilt.db")));
    expectSameTables(bank.path(), path(QStringLiteral("rebuilt.db")));
}

TEST_F(ExportCommandTest, exportRefusesValuesTheFormatCannotCarry)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubjects(1, 2, 101);
    bank.exec(QStringLiteral("update Subjects set result = null where [no] = 1"));
    bank.exec(QStringLiteral("update Subjects set subject = x'00ff' where [no] = 2"));

    const CommandOutcome result =
        outcomeOf([&] { return ExportCommand::run({bank.path(), path(QStringLiteral("export"))}); });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.messages, errorMessages({QStringLiteral("Subjects row 1: result is not an integer"),
                                              QStringLiteral("Subjects row 2: subject is not text")}));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("export/bank.json"))));
}

// A bank a teacher made exports to each format and builds back into the same
// tables and pictures: JSON, CSV (UTF-8 with a byte order mark, for Excel)
// and an Excel workbook, options split into their columns where the text
// holds them in the bank's layout.
TEST_F(ExportCommandTest, everyExportFormatBuildsBackTheSameTables)
{
    TestBank bank;
    bank.addClass(100, QStringLiteral("道路交通安全法律、法规和规章"));
    bank.addClass(101, QStringLiteral("驾驶证, \"申领\""));
    bank.addClass(101, QStringLiteral("listed twice"));
    bank.addSubject({1, QStringLiteral("遇到这种情况\n应当？\nA、减速\nB、鸣喇叭, 示意\nC、加速"), 1, 0, 1, 101,
                     makeBitmap(3, 2, 0x00ff00)});
    bank.addSubject({2, QStringLiteral("判断 \"引号\"\t制表"), 1, 1, 0, 101, {}});
    bank.addSubject({3, QStringLiteral("题\nA、一\nB、\nC、三"), 2, 0, 0, 100, withPictureHeader(makeBitmap(2, 2))});
    bank.addSubject({4, QStringLiteral(" 前后有空格 "), 0, 1, 0, 999, {}});
    bank.exec(QStringLiteral("update Subjects set [no] = 9007199254740993 where [no] = 4")); // beyond a double
    bank.addMaterial(QStringLiteral("记分"), QStringLiteral("一\n二"));
    bank.addMaterial(QStringLiteral("空"), QString());

    const struct
    {
        const char* name;
        ExportCommand::Format format;
        const char* built;       // the file build reads
        const char* categories;  // and its categories and materials, for CSV
        const char* materials;
    } formats[] = {
        {"json", ExportCommand::Format::Json, "bank.json", "", ""},
        {"csv", ExportCommand::Format::Csv, "bank.csv", "categories.csv", "materials.csv"},
        {"xlsx", ExportCommand::Format::Xlsx, "bank.xlsx", "", ""},
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(f.name);
        const QString out = path(QStringLiteral("export-") + QString::fromLatin1(f.name));
        const CommandOutcome exported = outcomeOf([&] { return ExportCommand::run({bank.path(), out, false, {}, f.format}); });
        ASSERT_EQ(exported.exitCode, 0) << exported.text().toStdString();
        const auto in = [&](const char* name) { return *name ? QDir(out).filePath(QString::fromLatin1(name)) : QString(); };
        const QString rebuilt = path(QStringLiteral("rebuilt-") + QString::fromLatin1(f.name) + QStringLiteral(".db"));
        const CommandOutcome built = outcomeOf(
            [&] { return BuildCommand::run({in(f.built), in(f.categories), rebuilt, false, in(f.materials)}); });
        ASSERT_EQ(built.exitCode, 0) << built.text().toStdString();
        expectSameTables(bank.path(), rebuilt);
        EXPECT_EQ(readFile(QDir(out).filePath(QStringLiteral("pictures/3.bmp"))), withPictureHeader(makeBitmap(2, 2)));
    }
    // Excel reads a CSV file as UTF-8 only after a byte order mark; the
    // options of question 1 are in their columns, question 3's (B is
    // blank) stay in the text.
    const QByteArray csv = readFile(path(QStringLiteral("export-csv/bank.csv")));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF题号,题型,题干,选项A,选项B,选项C,答案,章节,必对,图片\r\n"));
    EXPECT_TRUE(csv.contains("1,单选,\"遇到这种情况\n应当？\",减速,\"鸣喇叭, 示意\",加速,B,101,是,pictures/1.bmp\r\n"))
        << csv.toStdString();
}

// Values a sheet has no word for stop a CSV or xlsx export, each named, with
// the advice to export JSON, which carries them.
TEST_F(ExportCommandTest, sheetExportsRefuseValuesASheetCannotCarry)
{
    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.addSubject({1, QStringLiteral("题"), 5, 0, 0, 101, {}});
    bank.addSubject({2, QStringLiteral("题"), 0, 7, 0, 101, {}});
    bank.addSubject({3, QStringLiteral("题"), 0, 1, 2, 101, {}});
    bank.addSubject({4, QStringLiteral("回车\r换行"), 0, 1, 0, 101, {}});
    for (const auto format : {ExportCommand::Format::Csv, ExportCommand::Format::Xlsx}) {
        const QString out = path(QStringLiteral("export"));
        const CommandOutcome result = outcomeOf([&] { return ExportCommand::run({bank.path(), out, false, {}, format}); });
        EXPECT_TRUE(result.stopped);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.messages,
                  errorMessages({QStringLiteral("question 1: the answer code 5 has no word in a sheet"),
                               QStringLiteral("question 2: the type code 7 has no word in a sheet"),
                               QStringLiteral("question 3: the must-answer value 2 has no word in a sheet"),
                               QStringLiteral("question 4 holds a carriage return, which a sheet reads as a line break"),
                               QStringLiteral("a sheet cannot carry these values; export the bank as JSON (--format "
                                              "json), which carries every stored value")}));
        EXPECT_FALSE(QFile::exists(out));
    }
    EXPECT_EQ(ExportCommand::run({bank.path(), path(QStringLiteral("json")), false, {}, ExportCommand::Format::Json}).exitCode,
              0);
}

// The bank tool against hostile sources and texts that spreadsheets would
// change: memory and output bounded by the input, pictures only from the
// source's folder, formulas never made of texts, and every text stored and
// exported exactly as given or refused.

#include "tools/commands/BuildCommand.h"
#include "tools/commands/ExportCommand.h"
#include "tools/content/SourceProblems.h"
#include "tools/formats/sheet/CsvRecords.h"
#include "tools/formats/sheet/SheetLimits.h"
#include "tools/formats/sheet/XlsxSheet.h"

#include "support/TestBank.h"
#include "FileSystemFixtures.h"
#include "ToolFixtures.h"
#include "XlsxFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

namespace {

// A workbook whose worksheet uses the shared string `shared` in column
// `column` of rows 2 to rows + 1, under a header of the sheet layout.
QByteArray workbookSharing(const QByteArray& shared, const QByteArray& column, int rows)
{
    QByteArray data = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>题号</t></is></c></row>";
    for (int row = 2; row <= rows + 1; ++row)
        data += "<row r=\"" + QByteArray::number(row) + "\"><c r=\"" + column + QByteArray::number(row)
                + "\" t=\"s\"><v>0</v></c></row>";
    const QByteArray sheet = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                             "<sheetData>" + data + "</sheetData></worksheet>";
    const QByteArray strings = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                               "<si><t>" + shared + "</t></si></sst>";
    return XlsxFixtures::zip(XlsxFixtures::minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet, strings));
}

// One part of a zip archive file, read with libzip.
QByteArray zipPart(const QString& archive, const char* name)
{
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    QByteArray bytes;
    zip_stat_t info;
    if (zip && zip_stat(zip, name, 0, &info) == 0) {
        if (zip_file_t* file = zip_fopen(zip, name, 0)) {
            bytes.resize(qsizetype(info.size));
            bytes.resize(qsizetype(qMax<zip_int64_t>(0, zip_fread(file, bytes.data(), info.size))));
            zip_fclose(file);
        }
    }
    if (zip)
        zip_close(zip);
    return bytes;
}

} // namespace

// Small files that expand: a shared string counted each time a cell uses
// it, cells and texts bounded, problems kept in bounded numbers and sizes.
TEST(SourceBounds, smallFilesThatExpandAreRefusedAtOnce)
{
    const struct
    {
        const char* name;
        QByteArray workbook;
        QString expected;
    } workbooks[] = {
        {"a 4-million-character string in 300 cells", workbookSharing(QByteArray(4000000, 'x'), "C", 300),
         QStringLiteral("more than the 1,000,000 a cell may hold")},
        {"a 600,000-digit number in 150 cells", workbookSharing(QByteArray(600000, '7'), "A", 150),
         QStringLiteral("characters in all (shared strings counted in every cell that uses them)")},
    };
    for (const auto& c : workbooks) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        const Sheet sheet = XlsxSheet::parse(c.workbook);
        EXPECT_TRUE(sheet.error.contains(c.expected)) << sheet.error.toStdString();
        EXPECT_TRUE(sheet.rows.isEmpty());
        EXPECT_LT(timer.elapsed(), 20000);
    }

    const CsvFile longCell = CsvRecords::parse("a,b\nx," + QByteArray(SheetLimits::maxCellCharacters + 1, 'y') + "\n");
    EXPECT_TRUE(longCell.error.contains(QStringLiteral("row 2: a cell holds 1,000,001 characters")))
        << longCell.error.toStdString();
    QByteArray manyCells = "a\n";
    for (int i = 0; i <= SheetLimits::maxCells; ++i)
        manyCells += "1\n";
    const CsvFile tooMany = CsvRecords::parse(manyCells);
    EXPECT_TRUE(tooMany.error.contains(QStringLiteral("more than 2,000,000 cells"))) << tooMany.error.toStdString();
    EXPECT_TRUE(tooMany.records.isEmpty());

    // A problem quotes a short excerpt of its value, and after so many the
    // rest are counted.
    SourceProblems problems;
    const QString huge(10000000, QLatin1Char('9'));
    for (int row = 2; row < 2 + SourceProblems::maxKeptPerList + 500; ++row)
        problems.addError(QStringLiteral("题库.xlsx"), SourcePlace::cell(row, QStringLiteral("A"), QStringLiteral("题号")),
                          QStringLiteral("\"%1\" is not a whole number; write a whole number, such as 1").arg(huge));
    ASSERT_EQ(problems.errors().size(), SourceProblems::maxKeptPerList);
    EXPECT_EQ(problems.errorsLeftOut(), 500);
    const QString reason = problems.errors().first().reason;
    EXPECT_LE(reason.size(), SourceProblems::maxReasonCharacters + 60);
    EXPECT_TRUE(reason.startsWith(QStringLiteral("\"999")));
    EXPECT_TRUE(reason.endsWith(QStringLiteral("write a whole number, such as 1"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("[9,999,7"))) << reason.toStdString();
}

// Row numbers count LF, CRLF and lone CR line ends alike; a line break
// inside a cell is stored as LF whatever the file used.
TEST(SourceText, everyLineEndCountsAndIsStoredAsALineBreak)
{
    for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r\n"), QByteArray("\r")}) {
        SCOPED_TRACE(end.toHex().toStdString());
        QByteArray csv = "a,b" + end + end + "x,\"one" + end + "two\"" + end + end + "y,z" + end;
        const CsvFile file = CsvRecords::parse(csv);
        ASSERT_TRUE(file.error.isEmpty()) << file.error.toStdString();
        ASSERT_EQ(file.records.size(), 3);
        EXPECT_EQ(file.records[1].row, 3);
        EXPECT_EQ(file.records[1].fields[1], QStringLiteral("one\ntwo"));
        EXPECT_EQ(file.records[2].row, 5);
    }
}

// Texts a spreadsheet would run as formulas, and texts in the forms its
// escapes take, come back exactly from CSV and xlsx; the CSV cells are
// guarded, the workbook's text cells formatted as text.
TEST(SourceText, formulaTextsAndEscapesRoundTripExactlyAndNeverRunAsFormulas)
{
    const QStringList texts{QStringLiteral("=HYPERLINK(\"http://example.com\",\"点此\")"),
                            QStringLiteral("+1+2"),
                            QStringLiteral("-3"),
                            QStringLiteral("@SUM(A1)"),
                            QStringLiteral("\t=1+1"),
                            QStringLiteral("'已加引号"),
                            QStringLiteral("''两个"),
                            QStringLiteral("'=1"),
                            QStringLiteral("_x0041_ 与 _x005F_x0041_"),
                            QStringLiteral("普通的题")};
    TestBank bank;
    bank.addClass(101, QStringLiteral("=1+1"));
    for (int i = 0; i < texts.size(); ++i) {
        bank.addSubject({i + 1, texts[i], 0, 1, 0, 101, {}});
        bank.addMaterial(texts[i], texts[i]);
    }
    QTemporaryDir dir;
    for (const char* format : {"csv", "xlsx"}) {
        SCOPED_TRACE(format);
        const QString out = pathIn(dir, QString::fromLatin1(format));
        const CommandOutcome exported = outcomeOf([&] {
            return ExportCommand::run({bank.path(), out, false, {}, *ExportCommand::formatNamed(QString::fromLatin1(format))});
        });
        ASSERT_EQ(exported.exitCode, 0) << exported.text().toStdString();
        const QString rebuilt = pathIn(dir, QStringLiteral("%1.db").arg(QString::fromLatin1(format)));
        const bool csv = QByteArray(format) == "csv";
        const CommandOutcome built = outcomeOf([&] {
            return csv ? BuildCommand::run({out + "/bank.csv", out + "/categories.csv", rebuilt, false, out + "/materials.csv"})
                       : BuildCommand::run({out + "/bank.xlsx", {}, rebuilt, false});
        });
        ASSERT_EQ(built.exitCode, 0) << built.text().toStdString();
        for (const char* table : {"classes", "Subjects", "ziliao"})
            EXPECT_EQ(tableRows(rebuilt, QString::fromLatin1(table)), tableRows(bank.path(), QString::fromLatin1(table)))
                << table;
        if (!csv) {
            // Text cells and text columns are formatted as text (@).
            EXPECT_TRUE(zipPart(out + "/bank.xlsx", "xl/styles.xml").contains("formatCode=\"@\""));
        }
        if (csv) {
            // No cell of the file starts with what a spreadsheet runs.
            const QString file = QString::fromUtf8(readFile(out + "/bank.csv"));
            for (const QString& line : file.split(QStringLiteral("\r\n")))
                for (const QString& cell : line.split(QLatin1Char(',')))
                    for (const QChar start : {u'=', u'+', u'@'})
                        EXPECT_FALSE(cell.startsWith(start) || cell.startsWith(QStringLiteral("\"") + start))
                            << cell.toStdString();
        }
    }
}

// Lone surrogates and bytes that are not UTF-8 are refused, never stored as
// '?' or exported as U+FFFD; numbers beyond range are refused.
TEST(SourceText, textsThatAreNotUnicodeAndNumbersOutOfRangeAreRefused)
{
    QTemporaryDir dir;
    writeFile(pathIn(dir, "bank.json"),
              jsonSource({R"({"no": 101, "title": "驾驶证"})"},
                         {R"({"no": 1, "category": 101, "type": "judge", "text": "坏\ud800字", "answer": "对", "mustAnswer": false})"}));
    const CommandOutcome json =
        outcomeOf([&] { return BuildCommand::run({pathIn(dir, "bank.json"), {}, pathIn(dir, "a.db"), false}); });
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(json.messages.filter(QStringLiteral("error: ")).size(), 1) << json.text().toStdString();
    EXPECT_TRUE(json.text().contains(QStringLiteral("lone UTF-16 surrogate (U+d800)"))) << json.text().toStdString();
    EXPECT_FALSE(QFileInfo::exists(pathIn(dir, "a.db")));

    const QByteArray workbook = XlsxFixtures::workbook(
        XlsxFixtures::Writer::Excel,
        {{"题号", "题型", "题干", "答案", "章节"}, {"1", "判断", "坏_xD800_字", "对", "101"}});
    writeFile(pathIn(dir, "题库.xlsx"), workbook);
    EXPECT_EQ(outcomeOf([&] { return BuildCommand::run({pathIn(dir, "题库.xlsx"), {}, pathIn(dir, "b.db"), false}); })
                  .exitCode,
              1);

    const QByteArray huge = XlsxFixtures::zip(XlsxFixtures::minimalParts(
        QStringLiteral("worksheets/sheet1.xml"),
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
        "<row r=\"1\"><c r=\"A1\"><v>1e300</v></c></row></sheetData></worksheet>"));
    const Sheet sheet = XlsxSheet::parse(huge);
    ASSERT_EQ(sheet.rows.size(), 1);
    EXPECT_EQ(sheet.rows[0].cells, QStringList{QStringLiteral("1e300")});

    TestBank bank;
    bank.addClass(101, QStringLiteral("驾驶证"));
    bank.exec(QStringLiteral("insert into Subjects values (1, cast(x'e9a298ff' as text), 0, 1, 0, 101, null)"));
    const CommandOutcome exported =
        outcomeOf([&] { return ExportCommand::run({bank.path(), pathIn(dir, "out"), false}); });
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_TRUE(exported.text().contains(QStringLiteral("is not valid UTF-8 text"))) << exported.text().toStdString();
    EXPECT_FALSE(QFileInfo::exists(pathIn(dir, "out/bank.json")));
}

// Pictures come from the source's folder and below, through no link that
// leads out, unless the teacher says otherwise.
TEST(SourcePictures, picturesOutsideTheSourcesFolderAreRefusedUnlessAllowed)
{
    QTemporaryDir outside;
    const QString secret = pathIn(outside, "secret.bmp");
    writeFile(secret, makeBitmap(2, 2));
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("src/pics");
    writeFile(pathIn(dir, "src/pics/ok.bmp"), makeBitmap(2, 2));
    // The links where they can be made (whyNoUnixEntries()).
    const bool links = whyNoUnixEntries().isEmpty();
    if (links) {
        ASSERT_TRUE(makeSymbolicLink(secret, pathIn(dir, "src/pics/link.bmp")));
        ASSERT_TRUE(makeSymbolicLink(outside.path(), pathIn(dir, "src/linked")));
    }
    const struct
    {
        const char* name;
        QString picture;
        bool allowed;
        bool throughLink;
    } cases[] = {
        {"in the folder", QStringLiteral("pics/ok.bmp"), true, false},
        {"an absolute path", secret, false, false},
        {"a ../ path", QDir(dir.path() + "/src").relativeFilePath(secret), false, false},
        {"a link to a file outside", QStringLiteral("pics/link.bmp"), false, true},
        {"through a linked folder", QStringLiteral("linked/secret.bmp"), false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.throughLink && !links)
            continue;
        writeFile(pathIn(dir, "src/bank.json"),
                  jsonSource({R"({"no": 101, "title": "驾驶证"})"},
                             {QStringLiteral(R"({"no": 1, "category": 101, "type": "judge", "text": "题", "answer": "对", )"
                                             R"("mustAnswer": false, "picture": "%1"})")
                                  .arg(c.picture)}));
        const QString out = pathIn(dir, "out.db");
        const CommandOutcome strict =
            outcomeOf([&] { return BuildCommand::run({pathIn(dir, "src/bank.json"), {}, out, true}); });
        EXPECT_EQ(strict.exitCode, c.allowed ? 0 : 1);
        if (!c.allowed) {
            EXPECT_EQ(strict.messages.filter(QStringLiteral("error: ")).size(), 1) << strict.text().toStdString();
            EXPECT_TRUE(strict.text().contains(QStringLiteral("is outside the source's folder")))
                << strict.text().toStdString();
        }
        BuildCommand::Options trusting{pathIn(dir, "src/bank.json"), {}, out, true};
        trusting.picturesFromAnywhere = true;
        EXPECT_EQ(outcomeOf([&] { return BuildCommand::run(trusting); }).exitCode, 0);
    }
}

// Excel workbooks as build reads them: written the way Excel, WPS and
// Python's writers write them, and made to be hostile.

#include "tools/commands/BuildCommand.h"
#include "tools/formats/sheet/SheetBankReader.h"
#include "tools/formats/sheet/OdsSheet.h"
#include "tools/formats/sheet/XlsxSheet.h"

#include "ToolFixtures.h"
#include "XlsxFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using XlsxFixtures::Writer;

namespace {

const QStringList header{QStringLiteral("题号"), QStringLiteral("题型"), QStringLiteral("题干"),
                         QStringLiteral("选项A"), QStringLiteral("选项B"), QStringLiteral("选项C"),
                         QStringLiteral("答案"), QStringLiteral("章节"), QStringLiteral("必对"),
                         QStringLiteral("图片")};

QString described(const BankQuestion& question)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(question.no)
        .arg(question.category)
        .arg(question.type)
        .arg(question.text)
        .arg(question.answer)
        .arg(question.mustAnswer)
        .arg(QFileInfo(question.pictureFile).fileName());
}

} // namespace

// The same sheet, saved by each program, gives the same questions: shared
// and inline strings, rich text, escaped line breaks, numbers in exponent
// or decimal form, booleans, empty cells.
TEST(XlsxSheet, readsWorkbooksAsEachWriterWritesThem)
{
    const QList<QStringList> rows{
        header,
        {QStringLiteral("1"), QStringLiteral("单选题"), QStringLiteral("遇到这种情况\n应当怎样做？"),
         QStringLiteral("减速让行"), QStringLiteral("鸣喇叭"), QStringLiteral("加速 通过"), QStringLiteral("Ａ"),
         QStringLiteral("101"), QStringLiteral("TRUE"), QStringLiteral("pics\\stop.png")},
        {QStringLiteral("1234"), QStringLiteral("判断题"), QStringLiteral("驾驶人应当随身携带驾驶证。"), QString(),
         QString(), QString(), QStringLiteral("√"), QStringLiteral("101"), QStringLiteral("Y"), QString()},
        {QStringLiteral("3"), QStringLiteral("是非题"), QStringLiteral("可以酒后驾驶。"), QStringLiteral("正确"),
         QStringLiteral("错误"), QString(), QStringLiteral("×"), QStringLiteral("102"), QStringLiteral("否"),
         QString()},
    };
    const QStringList expected{
        QStringLiteral("1|101|0|遇到这种情况\n应当怎样做？\nA、减速让行\nB、鸣喇叭\nC、加速 通过|0|1|stop.png"),
        QStringLiteral("1234|101|1|驾驶人应当随身携带驾驶证。|0|1|"),
        QStringLiteral("3|102|1|可以酒后驾驶。|1|0|"),
    };
    const struct
    {
        const char* name;
        Writer writer;
    } writers[] = {{"Excel", Writer::Excel}, {"WPS", Writer::Wps}, {"openpyxl", Writer::Openpyxl},
                   {"a streaming writer", Writer::Streaming}};
    for (const auto& [name, writer] : writers) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        const QString path = pathIn(dir, QStringLiteral("题库.xlsx"));
        writeFile(path, XlsxFixtures::workbook(writer, rows));
        const BankSource source = SheetBankReader::read(path);
        QStringList errors;
        for (const SourceProblem& problem : source.problems.errors())
            errors.append(problem.toString());
        ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        QStringList questions;
        for (const BankQuestion& question : source.content.questions)
            questions.append(described(question));
        EXPECT_EQ(questions, expected);
        EXPECT_EQ(source.content.questions[0].sourceLine, 2);
        EXPECT_EQ(source.notes, QStringList{path + QStringLiteral(": read as Excel workbook, worksheet \"Sheet1\"")});
    }
}

// A hostile or damaged workbook gives a message that names what is wrong,
// at once and within bounded memory; nothing is built from it.
TEST(XlsxSheet, refusesHostileAndDamagedWorkbooks)
{
    using XlsxFixtures::minimalParts;
    const QByteArray good = XlsxFixtures::workbook(Writer::Excel, {header});
    const auto sheet = [](const QByteArray& rows) {
        return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows
               + "</sheetData></worksheet>";
    };
    QByteArray manyCells;
    for (int row = 1; row <= 2000; ++row)
        manyCells += "<row r=\"" + QByteArray::number(row) + "\"><c r=\"AMJ" + QByteArray::number(row)
                     + "\"><v>1</v></c></row>";
    // Compressed to a few hundred kilobytes, unpacked beyond the limit.
    const QByteArray bomb = sheet(QByteArray(XlsxSheet::maxPartBytes + 1024, ' '));
    XlsxFixtures::Parts noWorkbook = minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet({}));
    noWorkbook.removeAt(1);
    XlsxFixtures::Parts noSheet = minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet({}));
    noSheet.removeLast();

    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* expected;
    } cases[] = {
        {"not a zip archive", "just some text", "not a zip archive"},
        {"an old .xls file", QByteArray("\xD0\xCF\x11\xE0", 4) + QByteArray(600, '\0'), "not a zip archive"},
        {"a workbook cut short", good.left(good.size() / 2), "not a zip archive"},
        {"no workbook part", XlsxFixtures::zip(noWorkbook), "has no part xl/workbook.xml"},
        {"no worksheet part", XlsxFixtures::zip(noSheet), "has no part xl/worksheets/sheet1.xml"},
        {"a shared string that is not there",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"),
                                        sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>"))),
         "refers to a shared string the workbook does not have"},
        {"entities declared to expand",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"),
                                        "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
                                            + sheet("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>&b;</v></c></row>"))),
         "declares a document type"},
        {"XML that is not well formed",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet("<row r=\"1\"><c>"))),
         "is damaged (line"},
        {"rows out of order",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"),
                                        sheet("<row r=\"5\"/><row r=\"2\"/>"))),
         "out of order"},
        {"a row beyond Excel's last",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet("<row r=\"2000000\"/>"))),
         "beyond Excel's last row"},
        {"more cells than the tool reads",
         XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"), sheet(manyCells))),
         "more than 2,000,000 cells"},
        {"a zip bomb", XlsxFixtures::zip(minimalParts(QStringLiteral("worksheets/sheet1.xml"), bomb)),
         "unpacks to more than 128 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        const Sheet read = XlsxSheet::parse(c.bytes);
        EXPECT_LT(timer.elapsed(), 5000);
        EXPECT_TRUE(read.rows.isEmpty());
        EXPECT_TRUE(read.error.contains(QString::fromUtf8(c.expected))) << read.error.toStdString();
    }

    // Through build: exit 1 with the message, and no bank.
    QTemporaryDir dir;
    const QString source = pathIn(dir, QStringLiteral("bank.xlsx"));
    writeFile(source, good.left(good.size() / 2));
    const CommandOutcome result =
        outcomeOf([&] { return BuildCommand::run({source, {}, pathIn(dir, QStringLiteral("out.db"))}); });
    EXPECT_EQ(result.exitCode, 1);
    const QStringList errors = result.messages.filter(QStringLiteral("error: "));
    ASSERT_EQ(errors.size(), 1) << result.text().toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("error: ") + source + QStringLiteral(": not an Excel workbook")));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{QStringLiteral("bank.xlsx")});
}

// An OpenDocument spreadsheet repeats rows and cells by a count: a small
// file can name millions of long cells. Repeats count against the sheet's
// bounds each time, so such a file is refused, not expanded; an ordinary
// one is read with its repeats.
TEST(OdsSheet, readsRepeatsWithinTheSheetsBounds)
{
    const auto spreadsheet = [](const QByteArray& rows) {
        return XlsxFixtures::zip({
            {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml",
             "<?xml version=\"1.0\"?><office:document-content "
             "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
             "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
             "<table:table table:name=\"题库\">" + rows + "</table:table></office:spreadsheet></office:body>"
             "</office:document-content>"},
        });
    };
    const Sheet good = OdsSheet::parse(spreadsheet(
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>题干</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"2\"/><table:table-cell office:value-type=\"float\" "
        "office:value=\"101\"><text:p>101.00</text:p></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell><text:p>第一行</text:p>"
        "<text:p>第二<text:s text:c=\"2\"/>行</text:p></table:table-cell></table:table-row>"));
    ASSERT_TRUE(good.error.isEmpty()) << good.error.toStdString();
    ASSERT_EQ(good.rows.size(), 3);
    EXPECT_EQ(good.rows[0].cells, (QStringList{QStringLiteral("题干"), {}, {}, QStringLiteral("101")}));
    EXPECT_EQ(good.rows[1].row, 5);
    EXPECT_EQ(good.rows[2].row, 6);
    EXPECT_EQ(good.rows[2].cells, QStringList{QStringLiteral("第一行\n第二  行")});

    const QByteArray longCell = "<table:table-cell><text:p>" + QByteArray(1000, 'x') + "</text:p></table:table-cell>";
    const Sheet bomb = OdsSheet::parse(
        spreadsheet("<table:table-row table:number-rows-repeated=\"1000000\">" + longCell + "</table:table-row>"));
    EXPECT_TRUE(bomb.rows.isEmpty());
    EXPECT_TRUE(bomb.error.contains(QStringLiteral("characters in all"))) << bomb.error.toStdString();
}

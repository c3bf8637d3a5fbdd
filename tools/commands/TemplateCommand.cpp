#include "tools/commands/TemplateCommand.h"

#include "tools/content/SourceWords.h"
#include "tools/formats/sheet/SheetBankWriter.h"
#include "tools/formats/sheet/SheetHeader.h"
#include "tools/formats/sheet/SheetLayout.h"

#include "store/RegularFile.h"

#include <QCoreApplication>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(TemplateCommand)
};

using SheetHeader::Column;
using SheetBankWriter::Cell;

struct ColumnNote
{
    QString name;
    QStringList otherNames;
    QString content;
};

QList<ColumnNote> columnNotes()
{
    const auto others = [](Column column) { return SheetHeader::spellings(column).mid(1); };
    return {
        {SheetLayout::no(), others(Column::No),
         Text::tr("question number, a whole number; without this column the questions are numbered in sheet order")},
        {SheetLayout::type(), others(Column::Type),
         Text::tr("single choice: %1; true/false: %2; empty: told from the answer and the options")
             .arg(SourceWords::typeSpellings().mid(0, 7).join(QStringLiteral(", ")),
                  SourceWords::typeSpellings().mid(7).join(QStringLiteral(", ")))},
        {SheetLayout::text(), others(Column::Text), Text::tr("the question (required)")},
        {SheetLayout::option(0), SheetHeader::optionSpellings().mid(1),
         Text::tr("option A of a single-choice question; likewise 选项B and 选项C; the program shows three options, "
                  "so a fourth is left out with its row")},
        {SheetLayout::answer(), others(Column::Answer),
         Text::tr("single choice: A, B or C; true/false: %1 (required)")
             .arg(SourceWords::answerSpellings(1).join(QStringLiteral(", ")))},
        {SheetLayout::category(), others(Column::Category),
         Text::tr("the category: its number (101) or its title (第一章 …); without this column all questions go into "
                  "one category named after the sheet")},
        {SheetLayout::mustAnswer(), others(Column::MustAnswer),
         Text::tr("must-answer question: %1; empty: 否").arg(SourceWords::flagSpellings().join(QStringLiteral(", ")))},
        {SheetLayout::picture(), others(Column::Picture),
         Text::tr("picture file (PNG, JPEG, BMP or SVG), relative to the sheet's folder: pictures\\stop.png")},
        {SheetHeader::name(Column::Explanation), others(Column::Explanation),
         Text::tr("explanation: kept in your sheet, not in the bank (the program shows none)")},
    };
}

} // namespace

namespace TemplateCommand {

QString columnHelp()
{
    QStringList lines;
    for (const ColumnNote& note : columnNotes())
        lines.append(Text::tr("  %1 (also %2): %3").arg(note.name, note.otherNames.join(QStringLiteral(", ")), note.content));
    return lines.join(QLatin1Char('\n'));
}

CommandResult run(const QString& path, bool replace)
{
    SheetBankWriter::Table questions;
    questions.name = SheetLayout::questionsSheet();
    questions.header = {SheetLayout::no(),        SheetLayout::type(),     SheetLayout::text(),
                        SheetLayout::option(0),   SheetLayout::option(1),  SheetLayout::option(2),
                        SheetLayout::answer(),    SheetLayout::category(), SheetLayout::mustAnswer(),
                        SheetLayout::picture(),   SheetHeader::name(Column::Explanation)};
    questions.rows = {
        {{QStringLiteral("1"), true}, {QStringLiteral("单选"), false},
         {QStringLiteral("驾驶机动车上路，应当随身携带哪种证件？"), false}, {QStringLiteral("行驶证"), false},
         {QStringLiteral("购车发票"), false}, {QStringLiteral("驾驶证"), false}, {QStringLiteral("C"), false},
         {QStringLiteral("101"), true}, {QStringLiteral("否"), false}, {}, {QStringLiteral("驾驶证须随身携带。"), false}},
        {{QStringLiteral("2"), true}, {QStringLiteral("判断"), false},
         {QStringLiteral("饮酒后只要感觉清醒，就可以驾驶机动车。"), false}, {}, {}, {}, {QStringLiteral("错"), false},
         {QStringLiteral("101"), true}, {QStringLiteral("是"), false}, {}, {QStringLiteral("饮酒后不得驾驶机动车。"), false}},
        {{QStringLiteral("3"), true}, {QStringLiteral("单选"), false},
         {QStringLiteral("在没有中心线的道路上会车时，应当怎样做？"), false}, {QStringLiteral("减速靠右通过"), false},
         {QStringLiteral("加速抢先通过"), false}, {QStringLiteral("鸣喇叭示意对方让行"), false},
         {QStringLiteral("A"), false}, {QStringLiteral("102"), true}, {}, {}, {}},
    };

    SheetBankWriter::Table categories;
    categories.name = SheetLayout::categoriesSheet();
    categories.header = {SheetLayout::category(), SheetLayout::title()};
    categories.rows = {{{QStringLiteral("100"), true}, {QStringLiteral("第一章 道路交通安全法律、法规"), false}},
                       {{QStringLiteral("101"), true}, {QStringLiteral("机动车驾驶证申领和使用"), false}},
                       {{QStringLiteral("102"), true}, {QStringLiteral("道路通行规定"), false}}};

    SheetBankWriter::Table notes;
    notes.name = Text::tr("notes");
    notes.header = {Text::tr("column"), Text::tr("may also be named"), Text::tr("what to write")};
    for (const ColumnNote& note : columnNotes())
        notes.rows.append({{note.name, false}, {note.otherNames.join(QStringLiteral(", ")), false}, {note.content, false}});
    notes.rows.append({{SheetLayout::categoriesSheet(), false}, {}, {Text::tr(
        "the worksheet 章节 titles the categories: 100, 200, ... head a chapter, 101, 102, ... hold questions; "
        "without it each category is titled by its number")}});
    notes.rows.append({{Text::tr("build"), false}, {}, {Text::tr(
        "quenhar-bank build 题库模板.xlsx velmora.db, then copy velmora.db next to the program")}});

    QString error;
    if (!SheetBankWriter::xlsxInPlace({questions, categories, notes}, path, replace, error))
        throw ToolError(RegularFile::entryExists(path) && !replace ? ExitCode::usage : ExitCode::faults,
                        Text::tr("%1: %2").arg(path, error));
    CommandResult result;
    result.report = Text::tr("%1: written; fill it in and build it with \"quenhar-bank build %1 velmora.db\"")
                        .arg(path)
                    + QLatin1Char('\n');
    return result;
}

} // namespace TemplateCommand

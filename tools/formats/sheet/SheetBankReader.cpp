#include "tools/formats/sheet/SheetBankReader.h"

#include "tools/content/ContentRules.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetCategories.h"
#include "tools/formats/sheet/SheetColumns.h"
#include "tools/formats/sheet/SheetHeader.h"
#include "tools/formats/sheet/SheetLayout.h"
#include "tools/formats/sheet/SheetQuestionRow.h"
#include "tools/formats/sheet/SheetRowReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetBankReader::SheetSource;
using SheetHeader::Column;

Sheet sheetOf(const SheetSource& source)
{
    return SheetFiles::read(source.path, source.worksheet);
}

QList<BankCategory> readCategories(const SheetSource& source, SourceProblems& problems, QStringList& notes)
{
    QList<BankCategory> categories;
    SheetColumns sheet(source, sheetOf(source), SheetHeader::SheetKind::Categories,
                       {Column::Category, Column::CategoryTitle}, problems, notes);
    for (const SheetRow& sheetRow : sheet.rows()) {
        SheetRowReader row(sheet, sheetRow, problems);
        const auto no = row.integer(Column::Category, QStringLiteral("101"));
        const QString title = SheetColumns::cellText(row.field(Column::CategoryTitle));
        if (title.trimmed().isEmpty())
            row.error(Column::CategoryTitle, Text::tr("the category has no title; write the title shown for it"));
        if (no && !title.trimmed().isEmpty())
            categories.append({*no, title, sheetRow.row});
    }
    return categories;
}

QList<BankMaterial> readMaterials(const SheetSource& source, SourceProblems& problems, QStringList& notes)
{
    QList<BankMaterial> materials;
    SheetColumns sheet(source, sheetOf(source), SheetHeader::SheetKind::Materials,
                       {Column::MaterialTitle, Column::MaterialText}, problems, notes);
    for (const SheetRow& sheetRow : sheet.rows()) {
        SheetRowReader row(sheet, sheetRow, problems);
        BankMaterial material;
        material.sourceLine = sheetRow.row;
        if (sheet.has(Column::MaterialId) && !row.field(Column::MaterialId).trimmed().isEmpty()) {
            material.id = row.integer(Column::MaterialId, QStringLiteral("1"));
            if (!material.id)
                continue;
        }
        material.title = SheetColumns::cellText(row.field(Column::MaterialTitle));
        material.text = SheetColumns::cellText(row.field(Column::MaterialText));
        materials.append(material);
    }
    return materials;
}

// The worksheets of the source a bank is read from: the questions' sheet
// (named 题目, or else the first whose header names the questions'
// columns, or else the first), and the sheets named 章节 and 资料.
struct Worksheets
{
    SheetSource questions;
    Sheet questionsSheet;
    std::optional<QString> categories;
    std::optional<QString> materials;
    QString error;
};

Worksheets worksheetsOf(const QString& path)
{
    Worksheets found;
    found.questions = {path, {}};
    const QStringList names = SheetFiles::worksheetNames(path);
    for (const QString& name : names) {
        if (names.count(name) > 1) {
            found.error = Text::tr("the workbook has two worksheets named \"%1\"; rename one of them").arg(name);
            return found;
        }
    }
    if (names.size() <= 1) {
        found.questionsSheet = SheetFiles::read(path);
        return found;
    }
    QString chosen;
    if (names.contains(SheetLayout::questionsSheet()))
        chosen = SheetLayout::questionsSheet();
    for (qsizetype i = 0; i < names.size() && chosen.isEmpty(); ++i) {
        if (names[i] == SheetLayout::categoriesSheet() || names[i] == SheetLayout::materialsSheet())
            continue;
        Sheet sheet = SheetFiles::read(path, names[i]);
        if (sheet.error.isEmpty()
            && SheetColumns::headerRow(sheet, SheetHeader::SheetKind::Questions, SheetColumns::questionColumns()) >= 0) {
            chosen = names[i];
            found.questionsSheet = std::move(sheet);
        }
    }
    if (chosen.isEmpty())
        chosen = names.first();
    found.questions.worksheet = chosen;
    if (found.questionsSheet.rows.isEmpty() && found.questionsSheet.error.isEmpty())
        found.questionsSheet = SheetFiles::read(path, chosen);
    if (chosen != SheetLayout::categoriesSheet() && names.contains(SheetLayout::categoriesSheet()))
        found.categories = SheetLayout::categoriesSheet();
    if (chosen != SheetLayout::materialsSheet() && names.contains(SheetLayout::materialsSheet()))
        found.materials = SheetLayout::materialsSheet();
    return found;
}

} // namespace

namespace SheetBankReader {

QString SheetSource::displayName() const
{
    return worksheet.isEmpty() ? path : QStringLiteral("%1 [%2]").arg(path, worksheet);
}

BankSource read(const QString& questionsPath, const QString& categoriesPath, const QString& materialsPath)
{
    BankSource source;
    source.content.unit = SourcePlace::Unit::Row;

    // The categories and materials first: a fault in either is said before
    // anything about the questions, which depend on it.
    Worksheets worksheets = worksheetsOf(questionsPath);
    if (!worksheets.error.isEmpty()) {
        source.problems.addError(questionsPath, 0, worksheets.error);
        return source;
    }
    const auto sourceOf = [&](const QString& given, const std::optional<QString>& worksheet) {
        if (!given.isEmpty())
            return std::optional(SheetSource{given, {}});
        if (worksheet)
            return std::optional(SheetSource{questionsPath, *worksheet});
        return std::optional<SheetSource>();
    };
    const std::optional<SheetSource> categories = sourceOf(categoriesPath, worksheets.categories);
    const std::optional<SheetSource> materials = sourceOf(materialsPath, worksheets.materials);
    std::optional<QList<BankCategory>> givenCategories;
    if (categories)
        givenCategories = readCategories(*categories, source.problems, source.notes);
    if (materials)
        source.content.materials = readMaterials(*materials, source.problems, source.notes);
    if (source.problems.hasErrors())
        return source;

    const SheetColumns sheet(worksheets.questions, std::move(worksheets.questionsSheet),
                             SheetHeader::SheetKind::Questions, SheetColumns::questionColumns(), source.problems,
                             source.notes);
    if (source.problems.hasErrors())
        return source; // no header: nothing more to say about the rows
    const SourcePlace picture = sheet.cell(0, Column::Picture);
    source.content.pictureColumn = picture.column;
    source.content.pictureColumnName = picture.columnName;
    source.leftOut.file = sheet.path();
    source.leftOut.header = sheet.header().cells;

    const QDir sourceDir = QFileInfo(questionsPath).absoluteDir();
    SheetQuestionRow::FilledIn filled;
    QList<SheetQuestionRow::Question> rows;
    qint64 ordinal = 0;
    for (const SheetRow& sheetRow : sheet.rows()) {
        SheetRowReader row(sheet, sheetRow, source.problems);
        auto question = SheetQuestionRow::read(row, ++ordinal, sourceDir, filled);
        if (question)
            rows.append(std::move(*question));
        else if (row.leftOut() && !row.failed())
            source.leftOut.rows.append(*row.leftOut());
    }

    const QString sheetTitle = worksheets.questions.worksheet.isEmpty() ? QFileInfo(questionsPath).completeBaseName()
                                                                        : worksheets.questions.worksheet;
    SheetCategories::assign(rows, sheet, givenCategories ? &*givenCategories : nullptr, sheetTitle, source);
    if (givenCategories)
        source.content.categories = *givenCategories;

    const QString path = sheet.path();
    if (!sheet.has(Column::No) && !sheet.rows().isEmpty())
        source.notes.append(Text::tr("%1: no %2 column: the questions are numbered 1 to %L3 in sheet order")
                                .arg(path, SheetLayout::no())
                                .arg(ordinal));
    if (filled.typesInferred > 0)
        source.notes.append(Text::tr("%1: %L2 questions have no %3; single-choice or true/false was told from the "
                                     "answer and the options")
                                .arg(path)
                                .arg(filled.typesInferred)
                                .arg(SheetLayout::type()));
    if (filled.answersTrimmed > 0)
        source.notes.append(Text::tr("%1: %L2 answers are followed by other text on later lines; the first line is "
                                     "the answer, the rest is left out")
                                .arg(path)
                                .arg(filled.answersTrimmed));

    ContentRules::check(source.content, path, categories ? categories->displayName() : path, source.problems);
    return source;
}

} // namespace SheetBankReader

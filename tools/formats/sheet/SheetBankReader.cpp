#include "tools/formats/sheet/SheetBankReader.h"

#include "tools/content/ContentRules.h"
#include "tools/content/OptionLayout.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetLayout.h"
#include "tools/content/SourceWords.h"
#include "tools/formats/sheet/XlsxSheet.h"

#include "rules/AnswerCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetBankReader::SheetSource;

// The columns, by the name the header gives them. A few other names
// teachers' templates use are read as the same column.
const QString columnNo = SheetLayout::no();
const QString columnType = SheetLayout::type();
const QString columnText = SheetLayout::text();
const QString columnAnswer = SheetLayout::answer();
const QString columnCategory = SheetLayout::category();
const QString columnMustAnswer = SheetLayout::mustAnswer();
const QString columnPicture = SheetLayout::picture();
const QString columnTitle = SheetLayout::title();

const QHash<QString, QString>& otherNames()
{
    static const QHash<QString, QString> names{
        {QStringLiteral("序号"), columnNo},        {QStringLiteral("题目"), columnText},
        {QStringLiteral("试题"), columnText},      {QStringLiteral("正确答案"), columnAnswer},
        {QStringLiteral("必对题"), columnMustAnswer}, {QStringLiteral("图片路径"), columnPicture},
    };
    return names;
}

// "选项A" (or 选项Ａ, 选项a): the option's index, 0 for A.
std::optional<int> optionIndex(const QString& header)
{
    static const QRegularExpression option(QStringLiteral("^选项([A-Z])$"));
    const QRegularExpressionMatch match = option.match(SourceWords::normalized(header).toUpper());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).at(0).unicode() - u'A';
}

QString optionColumnName(int index)
{
    return SheetLayout::option(index);
}

QString spellings(const QStringList& words)
{
    return words.join(QStringLiteral(", "));
}

// A sheet's rows by column name, after its header row.
class SheetColumns
{
public:
    // Reads `path`; a file that cannot be read, or whose header lacks one of
    // `required`, is reported and gives no rows.
    SheetColumns(const SheetSource& source, const QStringList& required, SourceProblems& problems,
                 QStringList& notes)
        : path_(source.displayName())
    {
        const QString& path = path_;
        Sheet sheet = SheetFiles::read(source.path, source.worksheet);
        if (!sheet.error.isEmpty()) {
            problems.addError(path, 0, sheet.error);
            return;
        }
        notes.append(Text::tr("%1: read as %2").arg(path, sheet.readAs));
        if (sheet.rows.isEmpty()) {
            problems.addError(path, 0, Text::tr("the sheet is empty; its first row must name the columns (%1)")
                                           .arg(spellings(required)));
            return;
        }
        const SheetRow header = sheet.rows.takeFirst();
        for (qsizetype i = 0; i < header.cells.size(); ++i) {
            const QString name = SourceWords::normalized(header.cells[i]);
            if (name.isEmpty())
                continue;
            if (const auto option = optionIndex(name)) {
                options_.insert(*option, int(i));
                continue;
            }
            const QString column = otherNames().value(name, name);
            if (!columns_.contains(column))
                columns_.insert(column, int(i));
        }
        bool complete = true;
        for (const QString& name : required) {
            if (!columns_.contains(name)) {
                problems.addError(path, SourcePlace::row(header.row),
                                  Text::tr("the header row has no column %1; name the columns %2 in the first row")
                                      .arg(name, spellings(required)));
                complete = false;
            }
        }
        if (complete)
            rows_ = sheet.rows;
    }

    const QString& path() const { return path_; }
    const QList<SheetRow>& rows() const { return rows_; }
    bool has(const QString& name) const { return columns_.contains(name); }

    // The place of a column's cell in a row, for messages.
    SourcePlace cell(int row, const QString& name) const
    {
        const int column = columns_.value(name, -1);
        return SourcePlace::cell(row, column >= 0 ? SheetFiles::columnLetters(column) : QString(), name);
    }
    SourcePlace optionCell(int row, int option) const
    {
        return SourcePlace::cell(row, SheetFiles::columnLetters(options_.value(option)), optionColumnName(option));
    }

    QString field(const SheetRow& row, const QString& name) const
    {
        const int column = columns_.value(name, -1);
        return column >= 0 ? row.cells.value(column) : QString();
    }

    // The option columns, in letter order: (index, text).
    QList<std::pair<int, QString>> options(const SheetRow& row) const
    {
        QList<std::pair<int, QString>> cells;
        QList<int> indexes = options_.keys();
        std::sort(indexes.begin(), indexes.end());
        for (int index : indexes)
            cells.append({index, row.cells.value(options_.value(index))});
        return cells;
    }

private:
    QString path_;
    QHash<QString, int> columns_;
    QHash<int, int> options_; // option index (0: A) -> column
    QList<SheetRow> rows_;
};

// One row being read, with the problems found in it.
class RowReader
{
public:
    RowReader(const SheetColumns& sheet, const SheetRow& row, SourceProblems& problems)
        : sheet_(sheet), row_(row), problems_(problems)
    {
    }

    int number() const { return row_.row; }
    void error(const QString& column, const QString& reason) const
    {
        problems_.addError(sheet_.path(), sheet_.cell(row_.row, column), reason);
    }
    void optionError(int option, const QString& reason) const
    {
        problems_.addError(sheet_.path(), sheet_.optionCell(row_.row, option), reason);
    }
    QString field(const QString& name) const { return sheet_.field(row_, name); }
    QList<std::pair<int, QString>> options() const { return sheet_.options(row_); }

    std::optional<qint64> integer(const QString& name, const QString& example) const
    {
        bool ok = false;
        const qint64 value = SourceWords::normalized(field(name)).toLongLong(&ok);
        if (!ok) {
            error(name, field(name).trimmed().isEmpty()
                            ? Text::tr("the cell is empty; write a whole number, such as %1").arg(example)
                            : Text::tr("\"%1\" is not a whole number; write a whole number, such as %2")
                                  .arg(field(name), example));
            return std::nullopt;
        }
        return value;
    }

private:
    const SheetColumns& sheet_;
    const SheetRow& row_;
    SourceProblems& problems_;
};

// The question's text with its options merged in; nothing (and errors)
// when the options cannot be stored as they are.
std::optional<QString> questionText(const RowReader& row, const QString& question, std::optional<qint64> type)
{
    bool fine = true;
    const QList<std::pair<int, QString>> cells = row.options();
    bool anyOption = false;
    for (const auto& [index, text] : cells) {
        if (text.trimmed().isEmpty())
            continue;
        anyOption = true;
        if (index >= OptionLayout::optionCount) {
            row.optionError(index, Text::tr("%1 holds \"%2\", but the program shows three answer buttons (A, B, C); "
                                            "keep three options in 选项A to 选项C and leave %1 empty")
                                       .arg(optionColumnName(index), text));
            fine = false;
        }
    }
    if (!anyOption)
        return fine ? std::optional(question) : std::nullopt;
    if (type && !QuestionType::isSingleChoice(*type)) {
        // A true/false question's template may offer 正确 and 错误 as
        // options: the program shows those buttons anyway.
        for (const auto& [index, text] : cells) {
            if (text.trimmed().isEmpty() || (index < 2 && SourceWords::answer(text, QuestionType::judge) == index))
                continue;
            row.optionError(index, Text::tr("a true/false question has no options, but %1 holds \"%2\"; leave "
                                            "the options empty (or write the question type 单选 if it has options)")
                                       .arg(optionColumnName(index), text));
            fine = false;
        }
        return fine ? std::optional(question) : std::nullopt;
    }
    QStringList options;
    for (int index = 0; index < OptionLayout::optionCount; ++index) {
        const auto cell = std::find_if(cells.cbegin(), cells.cend(),
                                       [index](const auto& option) { return option.first == index; });
        const QString text = cell == cells.cend() ? QString() : cell->second;
        if (text.trimmed().isEmpty()) {
            if (cell == cells.cend())
                row.error(columnText, Text::tr("the options are in columns, but there is no column %1; add it")
                                          .arg(optionColumnName(index)));
            else
                row.optionError(index, Text::tr("%1 is empty, but other options are given; a single-choice question "
                                                "has three options, A, B and C")
                                           .arg(optionColumnName(index)));
            fine = false;
        }
        options.append(text);
    }
    return fine ? std::optional(OptionLayout::merged(question, options)) : std::nullopt;
}

// Cells keep the line breaks typed into them; a sheet saved on Windows may
// write them as CR LF.
QString cellText(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return normalized;
}

std::optional<BankQuestion> readQuestion(const RowReader& row, const QDir& sourceDir)
{
    BankQuestion question;
    question.sourceLine = row.number();
    const auto no = row.integer(columnNo, QStringLiteral("12"));
    const auto category = row.integer(columnCategory, QStringLiteral("101"));

    const auto type = SourceWords::questionType(row.field(columnType));
    if (!type)
        row.error(columnType, Text::tr("\"%1\" is not a question type; write one of %2")
                                  .arg(row.field(columnType), spellings(SourceWords::typeSpellings())));

    std::optional<qint64> answer;
    if (type) {
        answer = SourceWords::answer(row.field(columnAnswer), *type);
        if (!answer)
            row.error(columnAnswer,
                      (QuestionType::isSingleChoice(*type)
                           ? Text::tr("\"%1\" is not an answer to a single-choice question; write one of %2")
                           : Text::tr("\"%1\" is not an answer to a true/false question; write one of %2"))
                          .arg(row.field(columnAnswer), spellings(SourceWords::answerSpellings(*type))));
    }

    const QString stem = cellText(row.field(columnText));
    if (stem.trimmed().isEmpty())
        row.error(columnText, Text::tr("the question is empty; write the question in this column"));
    const auto text = questionText(row, stem, type);

    std::optional<bool> mustAnswer = false;
    if (!row.field(columnMustAnswer).trimmed().isEmpty()) {
        mustAnswer = SourceWords::flag(row.field(columnMustAnswer));
        if (!mustAnswer)
            row.error(columnMustAnswer, Text::tr("\"%1\" does not say whether the question must be answered "
                                                 "right; write one of %2, or leave it empty for 否")
                                            .arg(row.field(columnMustAnswer), spellings(SourceWords::flagSpellings())));
    }

    const QString picture = SourceWords::picturePath(row.field(columnPicture));
    if (!picture.isEmpty())
        question.pictureFile = QDir::cleanPath(sourceDir.absoluteFilePath(picture));

    if (!no || !category || !type || !answer || stem.trimmed().isEmpty() || !text || !mustAnswer)
        return std::nullopt;
    question.no = *no;
    question.category = *category;
    question.type = *type;
    question.answer = *answer;
    question.text = *text;
    question.mustAnswer = *mustAnswer ? 1 : 0;
    return question;
}

QList<BankCategory> readCategories(const SheetSource& source, SourceProblems& problems, QStringList& notes)
{
    QList<BankCategory> categories;
    const SheetColumns sheet(source, {columnCategory, columnTitle}, problems, notes);
    for (const SheetRow& sheetRow : sheet.rows()) {
        const RowReader row(sheet, sheetRow, problems);
        const auto no = row.integer(columnCategory, QStringLiteral("101"));
        const QString title = cellText(row.field(columnTitle));
        if (title.trimmed().isEmpty())
            row.error(columnTitle, Text::tr("the category has no title; write the title shown for it"));
        if (no && !title.trimmed().isEmpty())
            categories.append({*no, title, sheetRow.row});
    }
    return categories;
}

QList<BankMaterial> readMaterials(const SheetSource& source, SourceProblems& problems, QStringList& notes)
{
    QList<BankMaterial> materials;
    const SheetColumns sheet(source, {SheetLayout::materialTitle(), SheetLayout::materialText()}, problems, notes);
    for (const SheetRow& sheetRow : sheet.rows()) {
        const RowReader row(sheet, sheetRow, problems);
        BankMaterial material;
        material.sourceLine = sheetRow.row;
        if (sheet.has(SheetLayout::materialId()) && !row.field(SheetLayout::materialId()).trimmed().isEmpty()) {
            material.id = row.integer(SheetLayout::materialId(), QStringLiteral("1"));
            if (!material.id)
                continue;
        }
        material.title = cellText(row.field(SheetLayout::materialTitle()));
        material.text = cellText(row.field(SheetLayout::materialText()));
        materials.append(material);
    }
    return materials;
}

QList<BankCategory> defaultCategories(const QList<BankQuestion>& questions)
{
    QList<qint64> used;
    for (const BankQuestion& question : questions)
        used.append(question.category);
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());

    QList<BankCategory> categories;
    for (qint64 no : used)
        categories.append({no, SheetBankReader::defaultCategoryTitle(no), 0});
    return categories;
}

} // namespace

namespace SheetBankReader {

QString defaultCategoryTitle(qint64 no)
{
    return QStringLiteral("第%1章").arg(no);
}

QString SheetSource::displayName() const
{
    return worksheet.isEmpty() ? path : QStringLiteral("%1 [%2]").arg(path, worksheet);
}

BankSource read(const QString& questionsPath, const QString& categoriesPath, const QString& materialsPath)
{
    BankSource source;
    source.content.unit = SourcePlace::Unit::Row;
    // A workbook may hold the categories and materials in worksheets of
    // their own, as export writes them.
    const QStringList worksheets = SheetFiles::isWorkbook(questionsPath) ? XlsxSheet::worksheetNames(questionsPath)
                                                                         : QStringList();
    const auto sourceOf = [&](const QString& given, const QString& worksheet) -> std::optional<SheetSource> {
        if (!given.isEmpty())
            return SheetSource{given, {}};
        if (worksheets.indexOf(worksheet) > 0)
            return SheetSource{questionsPath, worksheet};
        return std::nullopt;
    };
    const std::optional<SheetSource> categories = sourceOf(categoriesPath, SheetLayout::categoriesSheet());
    const std::optional<SheetSource> materials = sourceOf(materialsPath, SheetLayout::materialsSheet());

    const SheetColumns sheet({questionsPath, {}}, {columnNo, columnType, columnText, columnAnswer, columnCategory},
                             source.problems, source.notes);
    const SourcePlace picture = sheet.cell(0, columnPicture);
    source.content.pictureColumn = picture.column;
    source.content.pictureColumnName = picture.columnName;
    const QDir sourceDir = QFileInfo(questionsPath).absoluteDir();
    for (const SheetRow& row : sheet.rows()) {
        if (auto question = readQuestion(RowReader(sheet, row, source.problems), sourceDir))
            source.content.questions.append(std::move(*question));
    }

    source.content.categories = categories ? readCategories(*categories, source.problems, source.notes)
                                           : defaultCategories(source.content.questions);
    if (materials)
        source.content.materials = readMaterials(*materials, source.problems, source.notes);
    ContentRules::check(source.content, questionsPath, categories ? categories->displayName() : questionsPath,
                        source.problems);
    return source;
}

} // namespace SheetBankReader

#include "tools/formats/sheet/SheetBankReader.h"

#include "tools/content/ContentRules.h"
#include "tools/content/OptionLayout.h"
#include "tools/content/SourceWords.h"
#include "tools/formats/sheet/Sheet.h"
#include "tools/formats/sheet/SheetAnswer.h"
#include "tools/formats/sheet/SheetHeader.h"
#include "tools/formats/sheet/SheetLayout.h"

#include "rules/AnswerCode.h"
#include "rules/CategoryNumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>

#include <algorithm>
#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetBankReader::SheetSource;
using SheetHeader::Column;

// The header is looked for among the first rows: a title typed (often in
// merged cells) above the header is common.
constexpr int headerSearchRows = 10;

QString spellings(const QStringList& words)
{
    return words.join(QStringLiteral(", "));
}

QString columnWithSpellings(Column column, SheetHeader::SheetKind kind)
{
    const QStringList names = SheetHeader::spellings(column, kind);
    return Text::tr("%1 (or %2)").arg(names.value(0), spellings(names.mid(1)));
}

// The index of the header row: the first, among the first few, that names
// every column of `required`; -1 when none does.
qsizetype headerRow(const Sheet& sheet, SheetHeader::SheetKind kind, const QList<Column>& required)
{
    for (qsizetype i = 0; i < qMin<qsizetype>(sheet.rows.size(), headerSearchRows); ++i) {
        const QStringList& cells = sheet.rows[i].cells;
        const bool named = std::all_of(required.cbegin(), required.cend(), [&](Column column) {
            return std::any_of(cells.cbegin(), cells.cend(),
                               [&](const QString& cell) { return SheetHeader::column(kind, cell) == column; });
        });
        if (named)
            return i;
    }
    return -1;
}

// The columns a sheet of questions cannot do without.
const QList<Column> questionColumns{Column::Text, Column::Answer};

// Cells keep the line breaks typed into them; a sheet saved on Windows may
// write them as CR LF.
QString cellText(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return normalized;
}

// A sheet's rows by column, after its header row. The header is the first
// row (among the first few) that names `required` columns; rows above it
// are left out.
class SheetColumns
{
public:
    SheetColumns(const SheetSource& source, Sheet sheet, SheetHeader::SheetKind kind, const QList<Column>& required,
                 SourceProblems& problems, QStringList& notes)
        : path_(source.displayName())
    {
        const bool options = kind == SheetHeader::SheetKind::Questions;
        if (!sheet.error.isEmpty()) {
            problems.addError(path_, 0, sheet.error);
            return;
        }
        notes.append(Text::tr("%1: read as %2").arg(path_, sheet.readAs));
        QStringList wanted;
        for (Column column : required)
            wanted.append(columnWithSpellings(column, kind));
        const qsizetype at = headerRow(sheet, kind, required);
        if (at < 0) {
            problems.addError(path_, SourcePlace::row(sheet.rows.isEmpty() ? 1 : sheet.rows.first().row),
                              Text::tr("no header row names the columns %1; write them in the first row of "
                                       "the sheet")
                                  .arg(wanted.join(Text::tr("; "))));
            return;
        }
        if (at > 0)
            notes.append(Text::tr("%1: the header is row %2; the rows above it are left out")
                             .arg(path_)
                             .arg(sheet.rows[at].row));
        header_ = sheet.rows[at];
        QStringList unused;
        for (qsizetype i = 0; i < header_.cells.size(); ++i) {
            const QString& name = header_.cells[i];
            if (name.trimmed().isEmpty())
                continue;
            const QString letters = SheetFiles::columnLetters(int(i));
            if (const auto column = SheetHeader::column(kind, name); column && !columns_.contains(*column)) {
                columns_.insert(*column, int(i));
                if (*column == Column::Explanation)
                    unused.append(Text::tr("%1 (%2: the program shows no explanations)").arg(letters, name));
                continue;
            }
            if (const auto option = SheetHeader::optionIndex(name); options && option && !options_.contains(*option)) {
                options_.insert(*option, int(i));
                continue;
            }
            unused.append(Text::tr("%1 (%2)").arg(letters, SourceProblem::shortened(name)));
        }
        unused_ = unused;
        if (!unused.isEmpty())
            notes.append(Text::tr("%1: columns not read: %2").arg(path_, unused.join(QStringLiteral(", "))));
        rows_ = sheet.rows.mid(at + 1);
    }

    const QString& path() const { return path_; }
    const QList<SheetRow>& rows() const { return rows_; }
    const SheetRow& header() const { return header_; }
    const QStringList& unused() const { return unused_; }
    bool has(Column column) const { return columns_.contains(column); }
    bool hasOptions() const { return !options_.isEmpty(); }

    // The place of a column's cell in a row, for messages.
    SourcePlace cell(int row, Column column) const
    {
        const int at = columns_.value(column, -1);
        return SourcePlace::cell(row, at >= 0 ? SheetFiles::columnLetters(at) : QString(),
                                 at >= 0 ? header_.cells.value(at).trimmed() : SheetHeader::name(column));
    }
    SourcePlace optionCell(int row, int option) const
    {
        const int at = options_.value(option);
        return SourcePlace::cell(row, SheetFiles::columnLetters(at), header_.cells.value(at).trimmed());
    }

    QString field(const SheetRow& row, Column column) const
    {
        const int at = columns_.value(column, -1);
        return at >= 0 ? row.cells.value(at) : QString();
    }

    // The option columns, in letter order: (index, text).
    QList<std::pair<int, QString>> options(const SheetRow& row) const
    {
        QList<std::pair<int, QString>> cells;
        for (auto it = options_.cbegin(); it != options_.cend(); ++it)
            cells.append({it.key(), row.cells.value(it.value())});
        return cells;
    }

private:
    QString path_;
    SheetRow header_;
    QHash<Column, int> columns_;
    QMap<int, int> options_; // option index (0: A) -> column
    QList<SheetRow> rows_;
    QStringList unused_;
};

// What was filled in or trimmed across the sheet, said once each with its
// count.
struct FilledIn
{
    int typesInferred = 0;
    int answersTrimmed = 0;
};

// One row being read, with the problems found in it. Errors are faults the
// teacher must correct; a reason to leave the row out says the question is
// one the program cannot show.
class RowReader
{
public:
    RowReader(const SheetColumns& sheet, const SheetRow& row, SourceProblems& problems)
        : sheet_(sheet), row_(row), problems_(problems)
    {
    }

    int number() const { return row_.row; }
    const SheetRow& row() const { return row_; }
    bool failed() const { return failed_; }
    const std::optional<LeftOutRow>& leftOut() const { return leftOut_; }

    void error(Column column, const QString& reason, const QString& value = {})
    {
        problems_.addError(sheet_.path(), sheet_.cell(row_.row, column), reason, value);
        failed_ = true;
    }
    void optionError(int option, const QString& reason, const QString& value = {})
    {
        problems_.addError(sheet_.path(), sheet_.optionCell(row_.row, option), reason, value);
        failed_ = true;
    }
    void leaveOut(const SourcePlace& place, const QString& reason, const QString& value)
    {
        if (!leftOut_)
            leftOut_ = LeftOutRow{place, reason, value, row_.cells};
    }
    void leaveOut(Column column, const QString& reason, const QString& value)
    {
        leaveOut(sheet_.cell(row_.row, column), reason, value);
    }

    QString field(Column column) const { return sheet_.field(row_, column); }
    QList<std::pair<int, QString>> options() const { return sheet_.options(row_); }
    const SheetColumns& sheet() const { return sheet_; }

    std::optional<qint64> integer(Column column, const QString& example)
    {
        bool ok = false;
        const QString cell = field(column);
        const qint64 value = SourceWords::normalized(cell).toLongLong(&ok);
        if (ok)
            return value;
        if (cell.trimmed().isEmpty())
            error(column, Text::tr("the cell is empty; write a whole number, such as %1").arg(example));
        else
            error(column, Text::tr("not a whole number; write a whole number, such as %1").arg(example), cell);
        return std::nullopt;
    }

private:
    const SheetColumns& sheet_;
    const SheetRow& row_;
    SourceProblems& problems_;
    bool failed_ = false;
    std::optional<LeftOutRow> leftOut_;
};

QString multipleChoiceReason()
{
    return Text::tr("a multiple-choice question: the program takes one answer, A, B or C");
}

QString noAnswerReason()
{
    return Text::tr("no answer: write A, B or C, or 对 or 错");
}

// The question's type: as written, or, when the sheet does not say,
// inferred from the answer and the options.
std::optional<qint64> questionType(RowReader& row, const SheetAnswer& answer, bool hasOptions, FilledIn& filled)
{
    const QString written = row.field(Column::Type);
    if (!written.trimmed().isEmpty()) {
        if (const auto type = SourceWords::questionType(written))
            return type;
        if (SourceWords::isMultipleChoiceType(written))
            row.leaveOut(Column::Type, multipleChoiceReason(), written);
        else if (SourceWords::isTypeTheProgramLacks(written))
            row.leaveOut(Column::Type,
                         Text::tr("a question type the program does not have: it shows single-choice (A, B, C) and "
                                  "true/false questions"),
                         written);
        else
            row.error(Column::Type, Text::tr("not a question type; write one of %1")
                                        .arg(spellings(SourceWords::typeSpellings())),
                      written);
        return std::nullopt;
    }
    ++filled.typesInferred;
    if (hasOptions)
        return QuestionType::single;
    switch (answer.kind) {
    case SheetAnswer::Kind::TrueFalse: return QuestionType::judge;
    case SheetAnswer::Kind::Letter:
    case SheetAnswer::Kind::LaterLetter:
    case SheetAnswer::Kind::SeveralLetters: return QuestionType::single;
    case SheetAnswer::Kind::Empty: return std::nullopt; // left out for its answer
    case SheetAnswer::Kind::Other: break;
    }
    row.error(Column::Answer, Text::tr("the sheet has no 题型 and this answer does not tell the type; write A, B or C "
                                       "for a single-choice question, 对 or 错 for a true/false one"),
              answer.word);
    return std::nullopt;
}

// The answer's stored code; nothing when the row is left out or wrong.
std::optional<qint64> answerCode(RowReader& row, const SheetAnswer& answer, qint64 type)
{
    const bool single = QuestionType::isSingleChoice(type);
    switch (answer.kind) {
    case SheetAnswer::Kind::Empty:
        row.leaveOut(Column::Answer, noAnswerReason(), {});
        return std::nullopt;
    case SheetAnswer::Kind::Letter:
        if (single || answer.code < AnswerCode::c)
            return answer.code;
        break;
    case SheetAnswer::Kind::TrueFalse:
        if (!single)
            return answer.code;
        break;
    case SheetAnswer::Kind::LaterLetter:
        if (single) {
            row.leaveOut(Column::Answer, Text::tr("an answer after C: the program shows three options, A, B and C"),
                         answer.word);
            return std::nullopt;
        }
        break;
    case SheetAnswer::Kind::SeveralLetters:
        if (single) {
            row.leaveOut(Column::Answer, multipleChoiceReason(), answer.word);
            return std::nullopt;
        }
        break;
    case SheetAnswer::Kind::Other: break;
    }
    row.error(Column::Answer,
              (single ? Text::tr("not an answer to a single-choice question; write one of %1")
                      : Text::tr("not an answer to a true/false question; write one of %1"))
                  .arg(spellings(SourceWords::answerSpellings(type))),
              answer.word);
    return std::nullopt;
}

QString ignoredColumnsText(const SheetColumns& sheet)
{
    return sheet.unused().isEmpty() ? Text::tr("the sheet has no other columns")
                                    : Text::tr("columns not read: %1").arg(sheet.unused().join(QStringLiteral(", ")));
}

// The question's text with its options merged in; nothing when the row is
// left out or wrong. A single-choice question is never stored without its
// three options.
std::optional<QString> questionText(RowReader& row, const QString& question, qint64 type)
{
    const QList<std::pair<int, QString>> cells = row.options();
    bool anyOption = false;
    for (const auto& [index, text] : cells) {
        if (text.trimmed().isEmpty())
            continue;
        anyOption = true;
        if (index >= OptionLayout::optionCount)
            row.leaveOut(row.sheet().optionCell(row.number(), index),
                         Text::tr("a fourth option: the program shows three, A, B and C"), text);
    }
    if (!QuestionType::isSingleChoice(type)) {
        // A true/false question's template may offer 正确 and 错误 as
        // options: the program shows those buttons anyway.
        for (const auto& [index, text] : cells) {
            if (text.trimmed().isEmpty() || (index < 2 && SourceWords::answer(text, QuestionType::judge) == index))
                continue;
            row.optionError(index, Text::tr("a true/false question has no options, but this column holds one; leave "
                                            "it empty (or write the question type 单选 if it has options)"),
                            text);
        }
        return question;
    }
    if (!anyOption) {
        if (OptionLayout::hasOptionLines(question))
            return question;
        row.leaveOut(Column::Text,
                     Text::tr("a single-choice question without its options: no option columns (%1, ... for B "
                              "and C) and no lines A、… B、… C、… in the question; %2")
                         .arg(spellings(SheetHeader::optionSpellings()), ignoredColumnsText(row.sheet())),
                     question);
        return std::nullopt;
    }
    QStringList options;
    bool complete = true;
    for (int index = 0; index < OptionLayout::optionCount; ++index) {
        const auto cell = std::find_if(cells.cbegin(), cells.cend(),
                                       [index](const auto& option) { return option.first == index; });
        const QString text = cell == cells.cend() ? QString() : cell->second;
        if (text.trimmed().isEmpty()) {
            if (cell == cells.cend())
                row.error(Column::Text, Text::tr("the options are in columns, but there is no column for option %1; "
                                                 "add it")
                                            .arg(OptionLayout::letter(index)));
            else
                row.optionError(index, Text::tr("the option is empty, but other options are given; a single-choice "
                                                "question has three options, A, B and C"));
            complete = false;
        }
        options.append(cellText(text));
    }
    return complete ? std::optional(OptionLayout::merged(question, options)) : std::nullopt;
}

// A question read from a row, its category still as written.
struct RowQuestion
{
    BankQuestion question;
    QString category;
};

std::optional<RowQuestion> readQuestion(RowReader& row, qint64 ordinal, const QDir& sourceDir, FilledIn& filled)
{
    RowQuestion read;
    BankQuestion& question = read.question;
    question.sourceLine = row.number();
    const std::optional<qint64> no =
        row.sheet().has(Column::No) ? row.integer(Column::No, QStringLiteral("12")) : std::optional(ordinal);

    const QString stem = cellText(row.field(Column::Text));
    if (stem.trimmed().isEmpty())
        row.error(Column::Text, Text::tr("the question is empty; write the question in this column"));

    const SheetAnswer answer = SheetAnswer::read(row.field(Column::Answer));
    if (answer.droppedLines)
        ++filled.answersTrimmed;
    const auto options = row.options();
    const bool hasOptions =
        std::any_of(options.cbegin(), options.cend(), [](const auto& option) { return !option.second.trimmed().isEmpty(); })
        || OptionLayout::hasOptionLines(stem);
    const auto type = questionType(row, answer, hasOptions, filled);
    const auto code = type ? answerCode(row, answer, *type) : std::nullopt;
    if (!type && answer.kind == SheetAnswer::Kind::Empty)
        row.leaveOut(Column::Answer, noAnswerReason(), {});
    const auto text = type && !stem.trimmed().isEmpty() ? questionText(row, stem, *type) : std::nullopt;

    std::optional<bool> mustAnswer = false;
    if (!row.field(Column::MustAnswer).trimmed().isEmpty()) {
        mustAnswer = SourceWords::flag(row.field(Column::MustAnswer));
        if (!mustAnswer)
            row.error(Column::MustAnswer, Text::tr("does not say whether the question must be answered right; write "
                                                   "one of %1, or leave it empty for 否")
                                              .arg(spellings(SourceWords::flagSpellings())),
                      row.field(Column::MustAnswer));
    }

    if (row.sheet().has(Column::Category)) {
        read.category = SourceWords::normalized(row.field(Column::Category).section(QLatin1Char('\n'), 0, 0));
        if (read.category.isEmpty())
            row.error(Column::Category, Text::tr("the cell is empty; write the chapter (a number such as 101, or "
                                                 "its title)"));
    }

    const QString picture = SourceWords::picturePath(row.field(Column::Picture));
    if (!picture.isEmpty())
        question.pictureFile = QDir::cleanPath(sourceDir.absoluteFilePath(picture));

    if (row.failed() || row.leftOut() || !no || !type || !code || !text || !mustAnswer)
        return std::nullopt;
    question.no = *no;
    question.type = *type;
    question.answer = *code;
    question.text = *text;
    question.mustAnswer = *mustAnswer ? 1 : 0;
    return read;
}

std::optional<qint64> wholeNumber(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// The next number a category given by its title takes: 101, 102, ...,
// never a chapter heading's (200).
qint64 nextCategoryNumber(qint64 after)
{
    qint64 no = after + 1;
    while (CategoryNumber::isHeading(no))
        ++no;
    return no;
}

// Gives each question its category. Chapters written as numbers are those
// numbers; chapters written as text (第一章 …, 第3章, a title) become
// categories numbered 101, 102, ... in the order they first appear, titled
// as written; with a categories sheet, a title names the category of that
// title. Without a chapter column every question goes into one category
// named after the sheet.
void assignCategories(QList<RowQuestion>& rows, const SheetColumns& sheet, const QList<BankCategory>* given,
                      const QString& sheetTitle, BankSource& source)
{
    const QString path = sheet.path();
    QList<BankQuestion>& questions = source.content.questions;
    if (!sheet.has(Column::Category)) {
        const qint64 no = given && !given->isEmpty() ? given->first().no : nextCategoryNumber(100);
        for (RowQuestion& row : rows) {
            row.question.category = no;
            questions.append(row.question);
        }
        if (!given)
            source.content.categories.append({no, sheetTitle, 0});
        source.notes.append(Text::tr("%1: no %2 column: all %L3 questions go into one category, %4 \"%5\"")
                                .arg(path, SheetLayout::category())
                                .arg(rows.size())
                                .arg(no)
                                .arg(given && !given->isEmpty() ? given->first().title : sheetTitle));
        return;
    }
    const bool numbers = std::all_of(rows.cbegin(), rows.cend(),
                                     [](const RowQuestion& row) { return wholeNumber(row.category).has_value(); });
    QHash<QString, qint64> byTitle;
    QList<BankCategory> titled;
    if (given) {
        for (const BankCategory& category : *given)
            byTitle.insert(SourceWords::normalized(category.title), category.no);
    }
    qint64 last = 100;
    for (RowQuestion& row : rows) {
        if (numbers) {
            row.question.category = *wholeNumber(row.category);
        } else if (const auto known = byTitle.constFind(row.category); known != byTitle.cend()) {
            row.question.category = *known;
        } else if (given) {
            source.problems.addError(path, sheet.cell(row.question.sourceLine, Column::Category),
                                     Text::tr("no category in the categories sheet has this title; write its "
                                              "number or its title as listed there"),
                                     row.category);
            continue;
        } else {
            last = nextCategoryNumber(last);
            byTitle.insert(row.category, last);
            titled.append({last, row.category, row.question.sourceLine});
            row.question.category = last;
        }
        questions.append(row.question);
    }
    if (!given && numbers) {
        QList<qint64> used;
        for (const BankQuestion& question : questions)
            used.append(question.category);
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        for (qint64 no : used)
            source.content.categories.append({no, SheetBankReader::defaultCategoryTitle(no), 0});
    } else if (!given) {
        source.content.categories = titled;
        if (!titled.isEmpty())
            source.notes.append(Text::tr("%1: chapters are written as titles: %2 categories, numbered %3 to %4 in "
                                         "the order they first appear")
                                    .arg(path)
                                    .arg(titled.size())
                                    .arg(titled.first().no)
                                    .arg(titled.last().no));
    }
}

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
        RowReader row(sheet, sheetRow, problems);
        const auto no = row.integer(Column::Category, QStringLiteral("101"));
        const QString title = cellText(row.field(Column::CategoryTitle));
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
        RowReader row(sheet, sheetRow, problems);
        BankMaterial material;
        material.sourceLine = sheetRow.row;
        if (sheet.has(Column::MaterialId) && !row.field(Column::MaterialId).trimmed().isEmpty()) {
            material.id = row.integer(Column::MaterialId, QStringLiteral("1"));
            if (!material.id)
                continue;
        }
        material.title = cellText(row.field(Column::MaterialTitle));
        material.text = cellText(row.field(Column::MaterialText));
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
        if (sheet.error.isEmpty() && headerRow(sheet, SheetHeader::SheetKind::Questions, questionColumns) >= 0) {
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
                             SheetHeader::SheetKind::Questions, questionColumns, source.problems,
                             source.notes);
    if (source.problems.hasErrors())
        return source; // no header: nothing more to say about the rows
    const SourcePlace picture = sheet.cell(0, Column::Picture);
    source.content.pictureColumn = picture.column;
    source.content.pictureColumnName = picture.columnName;
    source.leftOut.file = sheet.path();
    source.leftOut.header = sheet.header().cells;

    const QDir sourceDir = QFileInfo(questionsPath).absoluteDir();
    FilledIn filled;
    QList<RowQuestion> rows;
    qint64 ordinal = 0;
    for (const SheetRow& sheetRow : sheet.rows()) {
        RowReader row(sheet, sheetRow, source.problems);
        auto question = readQuestion(row, ++ordinal, sourceDir, filled);
        if (question)
            rows.append(std::move(*question));
        else if (row.leftOut() && !row.failed())
            source.leftOut.rows.append(*row.leftOut());
    }

    const QString sheetTitle = worksheets.questions.worksheet.isEmpty() ? QFileInfo(questionsPath).completeBaseName()
                                                                        : worksheets.questions.worksheet;
    assignCategories(rows, sheet, givenCategories ? &*givenCategories : nullptr, sheetTitle, source);
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

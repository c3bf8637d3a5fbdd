#include "tools/CsvBankReader.h"

#include "tools/ContentRules.h"
#include "tools/CsvRecords.h"
#include "tools/SourceWords.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>

namespace {

const QString columnNo = QStringLiteral("题号");
const QString columnType = QStringLiteral("题型");
const QString columnText = QStringLiteral("题干");
const QString columnAnswer = QStringLiteral("答案");
const QString columnCategory = QStringLiteral("章节");
const QString columnMustAnswer = QStringLiteral("必对");
const QString columnPicture = QStringLiteral("图片");
const QString columnTitle = QStringLiteral("名称");

// The rows of a CSV file by column name, after its header row.
class CsvSheet
{
public:
    // Reads `path`; a file that cannot be read, or whose header lacks one of
    // `required`, is reported and gives no rows.
    CsvSheet(const QString& path, const QStringList& required, SourceProblems& problems)
        : path_(path)
    {
        CsvFile file = CsvRecords::read(path);
        if (!file.error.isEmpty()) {
            problems.addError(path, 0, file.error);
            return;
        }
        if (file.records.isEmpty()) {
            problems.addError(path, 0, QStringLiteral("the file is empty; the first row must name the columns"));
            return;
        }
        const CsvRecord header = file.records.takeFirst();
        for (qsizetype i = 0; i < header.fields.size(); ++i)
            columns_.insert(header.fields[i].trimmed(), int(i));
        bool complete = true;
        for (const QString& name : required) {
            if (!columns_.contains(name)) {
                problems.addError(path, header.line, QStringLiteral("the header has no column %1").arg(name));
                complete = false;
            }
        }
        if (complete)
            records_ = file.records;
    }

    const QString& path() const { return path_; }
    const QList<CsvRecord>& records() const { return records_; }

    // A record's field in column `name`; "" when the row is short or there
    // is no such column.
    QString field(const CsvRecord& record, const QString& name) const
    {
        const int column = columns_.value(name, -1);
        return column >= 0 ? record.fields.value(column) : QString();
    }

private:
    QString path_;
    QHash<QString, int> columns_;
    QList<CsvRecord> records_;
};

// One row being read, with the problems found in it.
class CsvRow
{
public:
    CsvRow(const CsvSheet& sheet, const CsvRecord& record, SourceProblems& problems)
        : sheet_(sheet), record_(record), problems_(problems)
    {
    }

    void error(const QString& reason) const { problems_.addError(sheet_.path(), record_.line, reason); }
    QString field(const QString& name) const { return sheet_.field(record_, name); }

    std::optional<qint64> integer(const QString& name) const
    {
        bool ok = false;
        const qint64 value = field(name).trimmed().toLongLong(&ok);
        if (!ok) {
            error(QStringLiteral("%1 \"%2\" is not a whole number").arg(name, field(name)));
            return std::nullopt;
        }
        return value;
    }

private:
    const CsvSheet& sheet_;
    const CsvRecord& record_;
    SourceProblems& problems_;
};

// Cells keep the line breaks typed into them; a sheet saved on Windows may
// write them as CR LF.
QString cellText(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return normalized;
}

std::optional<BankQuestion> readQuestion(const CsvRow& row, int line, const QDir& sourceDir)
{
    BankQuestion question;
    question.sourceLine = line;
    const auto no = row.integer(columnNo);
    const auto category = row.integer(columnCategory);

    const auto type = SourceWords::questionType(row.field(columnType));
    if (!type)
        row.error(QStringLiteral("%1 \"%2\" must be 单选, 选择, single, 判断 or judge")
                      .arg(columnType, row.field(columnType)));

    std::optional<qint64> answer;
    if (type) {
        answer = SourceWords::answer(row.field(columnAnswer), *type);
        if (!answer)
            row.error(QStringLiteral("%1 \"%2\" must be %3 for this question type")
                          .arg(columnAnswer, row.field(columnAnswer), SourceWords::answerSpellings(*type)));
    }

    const QString text = cellText(row.field(columnText));
    if (text.trimmed().isEmpty())
        row.error(QStringLiteral("%1 is empty").arg(columnText));

    std::optional<bool> mustAnswer = false;
    if (!row.field(columnMustAnswer).trimmed().isEmpty()) {
        mustAnswer = SourceWords::flag(row.field(columnMustAnswer));
        if (!mustAnswer)
            row.error(QStringLiteral("%1 \"%2\" must be 是/否, 1/0 or true/false")
                          .arg(columnMustAnswer, row.field(columnMustAnswer)));
    }

    const QString picture = row.field(columnPicture).trimmed();
    if (!picture.isEmpty())
        question.pictureFile = QDir::cleanPath(sourceDir.absoluteFilePath(picture));

    if (!no || !category || !type || !answer || text.trimmed().isEmpty() || !mustAnswer)
        return std::nullopt;
    question.no = *no;
    question.category = *category;
    question.type = *type;
    question.answer = *answer;
    question.text = text;
    question.mustAnswer = *mustAnswer ? 1 : 0;
    return question;
}

QList<BankCategory> readCategories(const QString& path, SourceProblems& problems)
{
    QList<BankCategory> categories;
    const CsvSheet sheet(path, {columnCategory, columnTitle}, problems);
    for (const CsvRecord& record : sheet.records()) {
        const CsvRow row(sheet, record, problems);
        const auto no = row.integer(columnCategory);
        const QString title = row.field(columnTitle).trimmed();
        if (title.isEmpty())
            row.error(QStringLiteral("%1 is empty").arg(columnTitle));
        if (no && !title.isEmpty())
            categories.append({*no, title, record.line});
    }
    return categories;
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
        categories.append({no, CsvBankReader::defaultCategoryTitle(no), 0});
    return categories;
}

} // namespace

namespace CsvBankReader {

QString defaultCategoryTitle(qint64 no)
{
    return QStringLiteral("第%1章").arg(no);
}

BankSource read(const QString& questionsPath, const QString& categoriesPath)
{
    BankSource source;
    const CsvSheet sheet(questionsPath, {columnNo, columnType, columnText, columnAnswer, columnCategory},
                         source.problems);
    const QDir sourceDir = QFileInfo(questionsPath).absoluteDir();
    for (const CsvRecord& record : sheet.records()) {
        if (auto question = readQuestion(CsvRow(sheet, record, source.problems), record.line, sourceDir))
            source.content.questions.append(std::move(*question));
    }

    source.content.categories = categoriesPath.isEmpty() ? defaultCategories(source.content.questions)
                                                         : readCategories(categoriesPath, source.problems);
    ContentRules::check(source.content, questionsPath, categoriesPath, source.problems);
    return source;
}

} // namespace CsvBankReader

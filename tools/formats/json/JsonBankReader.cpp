#include "tools/formats/json/JsonBankReader.h"

#include "tools/content/ContentRules.h"
#include "tools/content/InputLimits.h"
#include "tools/formats/json/JsonLineIndex.h"
#include "tools/content/SourceWords.h"

#include "store/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(JsonBankReader)
};

const QString formatName = QStringLiteral("quenhar-bank");
constexpr qint64 formatVersion = 1;

std::optional<qint64> integerOf(const QJsonValue& value)
{
    // toInteger() gives its default for anything that is not a whole number
    // within range: two different defaults tell that case apart.
    if (!value.isDouble() || value.toInteger(0) != value.toInteger(1))
        return std::nullopt;
    return value.toInteger();
}

// One object of the source (a category, question or material) and the
// problems found in it, reported against its line.
class JsonRow
{
public:
    JsonRow(const QJsonObject& object, const QString& file, int line, SourceProblems& problems)
        : object_(object), file_(file), line_(line), problems_(problems)
    {
    }

    int line() const { return line_; }

    void error(const QString& reason) const { problems_.addError(file_, line_, reason); }

    // Names outside `known` are errors: a misspelt member would otherwise
    // be dropped without a word.
    void rejectUnknownMembers(const QStringList& known) const
    {
        for (const QString& key : object_.keys())
            if (!known.contains(key))
                error(Text::tr("unknown member \"%1\"").arg(key));
    }

    bool has(const QString& key) const { return object_.contains(key); }
    QJsonValue value(const QString& key) const { return object_.value(key); }

    std::optional<qint64> integer(const QString& key) const
    {
        if (!has(key)) {
            error(Text::tr("\"%1\" is missing").arg(key));
            return std::nullopt;
        }
        const auto number = integerOf(value(key));
        if (!number)
            error(Text::tr("\"%1\" must be a whole number").arg(key));
        return number;
    }

    std::optional<QString> text(const QString& key) const
    {
        if (!has(key)) {
            error(Text::tr("\"%1\" is missing").arg(key));
            return std::nullopt;
        }
        if (!value(key).isString()) {
            error(Text::tr("\"%1\" must be a string").arg(key));
            return std::nullopt;
        }
        return value(key).toString();
    }

private:
    QJsonObject object_;
    QString file_;
    int line_;
    SourceProblems& problems_;
};

std::optional<BankCategory> readCategory(const JsonRow& row)
{
    row.rejectUnknownMembers({QStringLiteral("no"), QStringLiteral("title")});
    const auto no = row.integer(QStringLiteral("no"));
    const auto title = row.text(QStringLiteral("title"));
    if (!no || !title)
        return std::nullopt;
    return BankCategory{*no, *title, row.line()};
}

std::optional<qint64> readType(const JsonRow& row)
{
    const QString key = QStringLiteral("type");
    if (!row.has(key)) {
        row.error(Text::tr("\"type\" is missing"));
        return std::nullopt;
    }
    if (const auto number = integerOf(row.value(key)))
        return number;
    const auto type = SourceWords::questionType(row.value(key).toString());
    if (!type)
        row.error(Text::tr("\"type\" must be one of %1, or a whole number")
                      .arg(SourceWords::typeSpellings().join(QStringLiteral(", "))));
    return type;
}

std::optional<qint64> readAnswer(const JsonRow& row, qint64 type)
{
    const QString key = QStringLiteral("answer");
    if (!row.has(key)) {
        row.error(Text::tr("\"answer\" is missing"));
        return std::nullopt;
    }
    if (const auto number = integerOf(row.value(key)))
        return number;
    const auto answer = SourceWords::answer(row.value(key).toString(), type);
    if (!answer)
        row.error(Text::tr("\"answer\" must be one of %1 for this question type, or a whole number (0 = A, "
                           "1 = B, 2 = C)")
                      .arg(SourceWords::answerSpellings(type).join(QStringLiteral(", "))));
    return answer;
}

std::optional<qint64> readMustAnswer(const JsonRow& row)
{
    const QString key = QStringLiteral("mustAnswer");
    if (!row.has(key)) {
        row.error(Text::tr("\"mustAnswer\" is missing"));
        return std::nullopt;
    }
    if (row.value(key).isBool())
        return row.value(key).toBool() ? 1 : 0;
    if (const auto number = integerOf(row.value(key)))
        return number;
    row.error(Text::tr("\"mustAnswer\" must be true, false or a whole number"));
    return std::nullopt;
}

// Answers given as numbers, with their lines: the format counts them from 0.
using NumericAnswers = QList<std::pair<int, qint64>>;

std::optional<BankQuestion> readQuestion(const JsonRow& row, const QDir& sourceDir, NumericAnswers& numeric)
{
    row.rejectUnknownMembers({QStringLiteral("no"), QStringLiteral("category"), QStringLiteral("type"),
                              QStringLiteral("text"), QStringLiteral("answer"), QStringLiteral("mustAnswer"),
                              QStringLiteral("picture"), QStringLiteral("basis")});
    BankQuestion question;
    question.sourceLine = row.line();
    const auto no = row.integer(QStringLiteral("no"));
    const auto category = row.integer(QStringLiteral("category"));
    const auto text = row.text(QStringLiteral("text"));
    const auto type = readType(row);
    std::optional<qint64> answer;
    if (type)
        answer = readAnswer(row, *type);
    if (answer && integerOf(row.value(QStringLiteral("answer"))))
        numeric.append({row.line(), *answer});
    const auto mustAnswer = readMustAnswer(row);

    if (row.has(QStringLiteral("picture"))) {
        const auto picture = row.text(QStringLiteral("picture"));
        if (picture && picture->isEmpty())
            row.error(Text::tr("\"picture\" is empty; leave it out for a question without one"));
        else if (picture)
            question.pictureFile = QDir::cleanPath(sourceDir.absoluteFilePath(SourceWords::picturePath(*picture)));
    }
    if (row.has(QStringLiteral("basis")) && !row.value(QStringLiteral("basis")).isString())
        row.error(Text::tr("\"basis\" must be a string"));

    if (!no || !category || !text || !type || !answer || !mustAnswer)
        return std::nullopt;
    question.no = *no;
    question.category = *category;
    question.text = *text;
    question.type = *type;
    question.answer = *answer;
    question.mustAnswer = *mustAnswer;
    return question;
}

std::optional<BankMaterial> readMaterial(const JsonRow& row)
{
    row.rejectUnknownMembers({QStringLiteral("id"), QStringLiteral("title"), QStringLiteral("text")});
    BankMaterial material;
    material.sourceLine = row.line();
    if (row.has(QStringLiteral("id"))) {
        material.id = row.integer(QStringLiteral("id"));
        if (!material.id)
            return std::nullopt;
    }
    const auto title = row.text(QStringLiteral("title"));
    const auto text = row.text(QStringLiteral("text"));
    if (!title || !text)
        return std::nullopt;
    material.title = *title;
    material.text = *text;
    return material;
}

// Numeric answers count from 0 (0 = A). A source whose numeric answers
// never use 0 but use 3 was written counting from 1, and would build into
// wrong answers without a word: it is refused.
void refuseAnswersCountedFromOne(const NumericAnswers& numeric, const QString& file, SourceProblems& problems)
{
    const auto usesZero = std::any_of(numeric.cbegin(), numeric.cend(), [](const auto& a) { return a.second == 0; });
    const auto three = std::find_if(numeric.cbegin(), numeric.cend(), [](const auto& a) { return a.second == 3; });
    if (usesZero || three == numeric.cend())
        return;
    problems.addError(file, three->first,
                      Text::tr("the answers given as numbers never use 0 but use 3: they are counted from 1 "
                               "(1 = A, 2 = B, 3 = C), while the format counts from 0 (0 = A, 1 = B, 2 = C). "
                               "Subtract 1 from every numeric answer, or write the answers as letters (\"A\", "
                               "\"B\", \"C\") and 对/错"));
}

// Reads each object of the top-level array `key` with `readOne`.
template<typename Row, typename ReadOne>
QList<Row> readArray(const QJsonObject& top, const QString& key, bool required, const JsonLineIndex& lines,
                     const QString& file, SourceProblems& problems, ReadOne readOne)
{
    QList<Row> rows;
    if (!top.contains(key)) {
        if (required)
            problems.addError(file, 0, Text::tr("\"%1\" is missing").arg(key));
        return rows;
    }
    if (!top.value(key).isArray()) {
        problems.addError(file, lines.elementLine(key, -1), Text::tr("\"%1\" must be an array").arg(key));
        return rows;
    }
    const QJsonArray array = top.value(key).toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const int line = lines.elementLine(key, i);
        if (!array[i].isObject()) {
            problems.addError(file, line, Text::tr("each entry of \"%1\" must be an object").arg(key));
            continue;
        }
        if (auto row = readOne(JsonRow(array[i].toObject(), file, line, problems)))
            rows.append(std::move(*row));
    }
    return rows;
}

} // namespace

namespace JsonBankReader {

BankSource read(const QString& path)
{
    BankSource source;
    SourceProblems& problems = source.problems;

    const RegularFile::Result file = RegularFile::read(path, InputLimits::sourceBytes);
    if (!file.bytes) {
        problems.addError(path, 0, file.error);
        return source;
    }
    const QByteArray& json = *file.bytes;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        problems.addError(path, JsonLineIndex::lineAt(json, parseError.offset),
                          Text::tr("not valid JSON: %1").arg(parseError.errorString()));
        return source;
    }
    if (!document.isObject()) {
        problems.addError(path, 1, Text::tr("the file must hold one JSON object"));
        return source;
    }

    const JsonLineIndex lines(json);
    const QJsonObject top = document.object();
    for (const QString& key : top.keys())
        if (!QStringList{"format", "version", "categories", "questions", "materials"}.contains(key))
            problems.addError(path, lines.elementLine(key, -1), Text::tr("unknown member \"%1\"").arg(key));
    if (top.value(QStringLiteral("format")).toString() != formatName)
        problems.addError(path, lines.elementLine(QStringLiteral("format"), -1),
                          Text::tr("\"format\" must be \"%1\"").arg(formatName));
    if (integerOf(top.value(QStringLiteral("version"))) != formatVersion)
        problems.addError(path, lines.elementLine(QStringLiteral("version"), -1),
                          Text::tr("\"version\" must be %1").arg(formatVersion));

    const QDir sourceDir = QFileInfo(path).absoluteDir();
    BankContent& content = source.content;
    content.categories = readArray<BankCategory>(top, QStringLiteral("categories"), true, lines, path, problems,
                                                 readCategory);
    NumericAnswers numeric;
    content.questions = readArray<BankQuestion>(
        top, QStringLiteral("questions"), true, lines, path, problems,
        [&](const JsonRow& row) { return readQuestion(row, sourceDir, numeric); });
    refuseAnswersCountedFromOne(numeric, path, problems);
    content.materials = readArray<BankMaterial>(top, QStringLiteral("materials"), false, lines, path, problems,
                                                readMaterial);
    ContentRules::check(content, path, path, problems);
    return source;
}

} // namespace JsonBankReader

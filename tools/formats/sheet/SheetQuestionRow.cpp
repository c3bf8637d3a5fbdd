#include "tools/formats/sheet/SheetQuestionRow.h"

#include "tools/content/OptionLayout.h"
#include "tools/content/SourceWords.h"
#include "tools/formats/sheet/SheetAnswer.h"
#include "tools/formats/sheet/SheetHeader.h"

#include "rules/AnswerCode.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(SheetBankReader)
};

using SheetHeader::Column;
using SheetQuestionRow::FilledIn;

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
std::optional<qint64> questionType(SheetRowReader& row, const SheetAnswer& answer, bool hasOptions, FilledIn& filled)
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
                                        .arg(SheetColumns::listed(SourceWords::typeSpellings())),
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
std::optional<qint64> answerCode(SheetRowReader& row, const SheetAnswer& answer, qint64 type)
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
                  .arg(SheetColumns::listed(SourceWords::answerSpellings(type))),
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
std::optional<QString> questionText(SheetRowReader& row, const QString& question, qint64 type)
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
                         .arg(SheetColumns::listed(SheetHeader::optionSpellings()), ignoredColumnsText(row.sheet())),
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
        options.append(SheetColumns::cellText(text));
    }
    return complete ? std::optional(OptionLayout::merged(question, options)) : std::nullopt;
}


} // namespace

namespace SheetQuestionRow {

std::optional<Question> read(SheetRowReader& row, qint64 ordinal, const QDir& sourceDir, FilledIn& filled)
{
    Question read;
    BankQuestion& question = read.question;
    question.sourceLine = row.number();
    const std::optional<qint64> no =
        row.sheet().has(Column::No) ? row.integer(Column::No, QStringLiteral("12")) : std::optional(ordinal);

    const QString stem = SheetColumns::cellText(row.field(Column::Text));
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
                                              .arg(SheetColumns::listed(SourceWords::flagSpellings())),
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

} // namespace SheetQuestionRow

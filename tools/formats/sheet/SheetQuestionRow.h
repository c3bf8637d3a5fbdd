#pragma once

#include "tools/content/BankContent.h"
#include "tools/formats/sheet/SheetRowReader.h"

#include <QString>

#include <optional>

class QDir;

// One row of a sheet of questions read as a question: its type as written
// or told from the answer and the options, its answer's stored code, its
// text with the options merged in, must-answer and picture; its category
// as written, for the sheet's categories to be given once all rows are read.
namespace SheetQuestionRow {

// What was filled in or trimmed across the sheet, said once each with its
// count.
struct FilledIn
{
    int typesInferred = 0;
    int answersTrimmed = 0;
};

// A question read from a row, its category still as written.
struct Question
{
    BankQuestion question;
    QString category;
};

// The question of `row`, the sheet's `ordinal`th (its number where the sheet
// has no number column); a picture named relative to `sourceDir`. Nothing
// when the row is wrong (its errors said) or left out (`row.leftOut()`).
std::optional<Question> read(SheetRowReader& row, qint64 ordinal, const QDir& sourceDir, FilledIn& filled);

} // namespace SheetQuestionRow

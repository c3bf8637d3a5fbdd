#pragma once

#include "tools/BankSource.h"

#include <QString>

// Reads the spreadsheet layout question-bank editors use, saved as CSV: a
// header row naming the columns 题号, 题型, 题干, 答案, 章节 and optionally 必对
// and 图片, in any order (other columns are ignored), then one question per
// row. A CSV has no category titles: they come from a second CSV with the
// columns 章节 and 名称 when one is given; otherwise each category a question
// uses is created with the title "第N章", N being its number.
namespace CsvBankReader {

BankSource read(const QString& questionsPath, const QString& categoriesPath = {});

// The title given to category `no` when no categories file names it.
QString defaultCategoryTitle(qint64 no);

} // namespace CsvBankReader

#pragma once

#include "tools/content/BankSource.h"

#include <QString>

// Reads the sheet layout question-bank editors use, from a CSV or text file
// or the first worksheet of an .xlsx workbook (SheetFiles): a header row
// naming the columns 题号, 题型, 题干, 答案, 章节 and optionally 必对, 图片
// and the option columns 选项A, 选项B, 选项C, in any order (other columns
// are ignored), then one question per row. Options given in their columns
// are written into the question's text in the bank's layout (OptionLayout);
// an option column after C that holds anything is an error, as the program
// shows three answer buttons.
//
// A sheet of questions has no category titles: they come from a second
// sheet with the columns 章节 and 名称 when one is given; otherwise each
// category a question uses is created with the title "第N章", N being its
// number.
//
// Every problem names the file, the row as the spreadsheet numbers it and
// the column, says what is wrong and how to put it right.
namespace SheetBankReader {

// A sheet: a file, and for a workbook the worksheet (the first when empty).
struct SheetSource
{
    QString path;
    QString worksheet;

    // The name problems are reported against: "bank.xlsx [章节]".
    QString displayName() const;
};

// Reads the questions from the sheet `questionsPath`, the categories from
// `categoriesPath` and the reference materials (columns 编号, 标题, 内容)
// from `materialsPath`. When those are not given and the questions are in a
// workbook, worksheets named 章节 and 资料 (after the first) are read for
// them.
BankSource read(const QString& questionsPath, const QString& categoriesPath = {},
                const QString& materialsPath = {});

} // namespace SheetBankReader

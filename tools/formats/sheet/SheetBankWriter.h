#pragma once

#include "tools/content/BankContent.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>


// Writes bank content in the sheet layout (SheetLayout) that build reads
// back into the same tables: a sheet of questions (a single-choice
// question's options in 选项A to 选项C when its text holds them in the
// bank's layout, else all in 题干), one of categories and one of reference
// materials; as CSV files (UTF-8 with a byte order mark, which Excel needs
// to read them as UTF-8) or as the worksheets of one Excel workbook.
namespace SheetBankWriter {

struct Cell
{
    QString text;
    bool number = false; // a whole number, written as a number
};

struct Table
{
    QString name; // the worksheet's name
    QStringList header;
    QList<QList<Cell>> rows;
};

enum class Kind { Csv, Xlsx };

// The values a sheet cannot carry as they are (a stored code with no word,
// a carriage return, for a workbook a cell beyond Excel's 32,767
// characters), each named; export refuses a bank that has any.
QStringList uncarried(const BankContent& content, Kind kind);

// The questions, categories and materials tables. A question's picture is
// written as its `pictureFile` when it has a stored value.
QList<Table> tables(const BankContent& content);

QByteArray csv(const Table& table);

// Writes the tables as the worksheets of one workbook, made with
// libxlsxwriter, to the new file `path` (synced), its scratch files going
// into the same folder; false (and `error`) when it fails.
bool xlsx(const QList<Table>& tables, const QString& path, QString& error);

// The same as `target`, written under a hidden name beside it and put in
// place whole (OutputFiles::place): an existing `target` is replaced only
// with `replace`.
bool xlsxInPlace(const QList<Table>& tables, const QString& target, bool replace, QString& error);

} // namespace SheetBankWriter

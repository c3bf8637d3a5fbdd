#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// One worksheet as the bank tool reads it, whatever file it came from: its
// rows that hold anything, each numbered as the spreadsheet numbers it (the
// first row is row 1), its cells by column from A on.
struct SheetRow
{
    int row = 0;
    QStringList cells;
};

struct Sheet
{
    QList<SheetRow> rows;
    QString error;  // set when the file cannot be read as a sheet
    QString readAs; // how it was read, for the build report ("CSV, GB18030")
};

namespace SheetFiles {

// What a file holds, told by its content whatever its name: a teacher's
// .ods renamed .csv is still read as the spreadsheet it is.
enum class Kind { Text, Xlsx, Xls, Ods };

Kind kindOf(const QString& path);

// The sheet in `path`: a workbook's worksheet `worksheet` (the first when
// empty), or a CSV or text file as TextEncoding decodes it.
Sheet read(const QString& path, const QString& worksheet = {});

// The names of a workbook's worksheets, in order; empty for text.
QStringList worksheetNames(const QString& path);

// The letters of column `index` (0: A, 26: AA), as spreadsheets name it.
QString columnLetters(int index);

} // namespace SheetFiles

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

// Whether `path` names a sheet the tool reads: .csv, .txt, .tsv (text, as
// TextEncoding decodes it) or .xlsx (an Excel workbook's first worksheet).
bool isSheet(const QString& path);

// The sheet in `path`; for a workbook, its worksheet `worksheet` (the
// first when empty).
Sheet read(const QString& path, const QString& worksheet = {});

bool isWorkbook(const QString& path);

// The letters of column `index` (0: A, 26: AA), as spreadsheets name it.
QString columnLetters(int index);

} // namespace SheetFiles

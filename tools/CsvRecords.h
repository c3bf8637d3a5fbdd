#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The records of a CSV file saved by a spreadsheet: UTF-8 with or without a
// byte order mark, fields optionally quoted, quoted fields may hold commas,
// quotes and line breaks. Each record knows the line it starts on, so that
// problems can be reported where the editor sees them. Blank lines and
// records whose fields are all empty (left over from formatting) are left
// out.
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

struct CsvFile
{
    QList<CsvRecord> records;
    QString error; // set when the file cannot be read as UTF-8 CSV
};

namespace CsvRecords {

CsvFile read(const QString& path);

// Parses CSV text already in memory.
CsvFile parse(const QByteArray& bytes);

} // namespace CsvRecords

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The records of a CSV file saved by a spreadsheet, in any encoding
// TextEncoding reads, separated by commas or (as "Unicode 文本" is) by tabs;
// fields optionally quoted, quoted fields may hold the separator, quotes and
// line breaks. Each record knows the line it starts on and its row as the
// spreadsheet numbers it, so that problems can be reported where the teacher
// sees them. Blank lines and records whose fields are all empty (left over
// from formatting) are left out, though they count as rows.
struct CsvRecord
{
    int line = 0;
    int row = 0;
    QStringList fields;
};

struct CsvFile
{
    QList<CsvRecord> records;
    QString error;    // set when the file cannot be read as CSV
    QString encoding; // the encoding it was read in ("UTF-8", "GB18030", "UTF-16")
    char delimiter = ',';
};

namespace CsvRecords {

CsvFile read(const QString& path);

// Parses a CSV file's bytes already in memory.
CsvFile parse(const QByteArray& bytes);

} // namespace CsvRecords

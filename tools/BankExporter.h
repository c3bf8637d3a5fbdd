#pragma once

#include "store/ReadOnlyBank.h"

#include <QString>
#include <QStringList>

// The export command: writes a bank as OUTDIR/bank.json in the JSON source
// format and each picture as OUTDIR/pictures/<no>.bmp, holding the exact
// stored bytes. Building the export again gives the same tables and pictures.
// Values the format cannot carry (null or text numbers, byte values in text
// columns, a question number used twice) are listed and stop the export.
namespace BankExporter {

struct Result
{
    int exitCode = 0; // 0 written, 1 the bank cannot be exported, 2 usage error
    QStringList errors;
    QStringList warnings;
    QString summary;
};

struct Options
{
    QString bank;
    QString outDir;
    bool force = false; // replace existing files (never writing through a link)
    ReadOnlyBank::Limits limits;
};

Result run(const Options& options);
Result run(const QString& bankPath, const QString& outDir, bool force);

} // namespace BankExporter

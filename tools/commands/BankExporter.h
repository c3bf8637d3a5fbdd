#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

#include <optional>

// The export command: writes a bank into OUTDIR as bank.json in the JSON
// source format, as bank.csv with categories.csv and materials.csv, or as
// the workbook bank.xlsx (SheetBankWriter), and each picture as
// OUTDIR/pictures/<no>.bmp, holding the exact stored bytes. Building the
// export again gives the same tables and pictures. Values the format cannot
// carry (null or text numbers, byte values in text columns, a question
// number used twice; for a sheet also codes that have no word) are listed
// and stop the export. The bank is opened unchanged (Database::Mode::Unchanged).
namespace BankExporter {

struct Result
{
    int exitCode = 0; // 0 written, 1 the bank cannot be exported, 2 usage error
    QStringList errors;
    QStringList warnings;
    QString summary;
};

enum class Format { Json, Csv, Xlsx };

// "json", "csv", "xlsx" (any case); nothing for another name.
std::optional<Format> formatNamed(const QString& name);

struct Options
{
    QString bank;
    QString outDir;
    bool force = false; // replace existing files (never writing through a link)
    Database::Limits limits;
    Format format = Format::Json;
};

Result run(const Options& options);
Result run(const QString& bankPath, const QString& outDir, bool force);

} // namespace BankExporter

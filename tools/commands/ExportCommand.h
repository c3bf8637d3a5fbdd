#pragma once

#include "tools/commands/CommandResult.h"

#include "store/Database.h"

#include <QString>

#include <optional>

// The export command: writes a bank into OUTDIR as bank.json in the JSON
// source format, as bank.csv with categories.csv and materials.csv, or as
// the workbook bank.xlsx (SheetBankWriter), and each picture as
// OUTDIR/pictures/<no>.bmp, holding the exact stored bytes. Building the
// export again gives the same tables and pictures. Values the format cannot
// carry (null or text numbers, byte values in text columns, a question
// number used twice; for a sheet also codes that have no word) are listed
// and stop the export: it throws ToolError, as it does when the bank cannot
// be read or an output cannot be written. The bank is opened with
// Database::Mode::Unchanged. The messages warn of columns that are not exported.
namespace ExportCommand {

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

CommandResult run(const Options& options);

} // namespace ExportCommand

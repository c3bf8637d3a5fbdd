#pragma once

#include "tools/commands/CommandResult.h"

#include <QString>

// The build command: reads a source (.json, or a sheet: .xlsx, .csv, .txt),
// reads its pictures and writes the bank as a NewBankOutput, so that a
// failed build leaves nothing behind and an existing bank is only replaced,
// whole, when `force` is set. A Jet (.mdb) source is imported
// (ImportCommand). The report says what was built; the messages say how the
// source was read and what is wrong with it. Throws ToolError when no bank
// is built: a source with errors, a bank that cannot be written, a usage
// error.
namespace BuildCommand {

struct Options
{
    QString source;
    QString categories; // sheet sources only: the sheet of category titles
    QString output;
    bool force = false;
    QString materials;     // sheet sources only: the sheet of reference materials
    QString readerProgram; // for a Jet source: the bank tool itself (ImportCommand::Options)
};

CommandResult run(const Options& options);

} // namespace BuildCommand

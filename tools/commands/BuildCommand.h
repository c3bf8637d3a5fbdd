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
    bool picturesFromAnywhere = false; // pictures outside the source's folder allowed
    // Build the questions the program can show and write the sheet's other
    // rows (multiple choice, a fourth option, no answer, ...) to
    // leftOutPath(output) for the teacher to fix; without it such rows
    // stop the build.
    bool skipUnshowable = false;
};

CommandResult run(const Options& options);

// Where the rows left out of `output` are written: a workbook beside it.
QString leftOutPath(const QString& output);

// The option that builds what the program can show.
inline constexpr const char* skipOption = "skip-unshowable";

} // namespace BuildCommand

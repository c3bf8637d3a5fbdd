#pragma once

#include "tools/commands/CommandResult.h"

#include <QString>

#include <chrono>
#include <optional>

// The import command: converts a Jet 4 question bank (the Access file banks
// once were) into a new SQLite bank and checks the result. The Jet file is
// read in a child process (JetReadProcess), the bank written as the rows
// come to a NewBankOutput, which is put in place only when every table has
// been read whole; a file that cannot be read, is cut short, or makes the
// reader crash or hang leaves no output behind and throws ToolError. The
// report says what was imported, then what the check of the new bank found;
// the exit code is 1 when the program fails on it.
namespace ImportCommand {

struct Options
{
    QString source;
    QString output;
    bool force = false;
    QString readerProgram; // the bank tool itself, which reads the file with its read-jet command
    std::optional<std::chrono::milliseconds> timeLimit; // nothing: JetReadProcess::timeLimitFor the file's size
};

CommandResult run(const Options& options);

} // namespace ImportCommand

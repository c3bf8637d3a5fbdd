#pragma once

#include "tools/commands/CheckReport.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

// The import command: converts a Jet 4 question bank (the Access file banks
// once were) into a new SQLite bank and checks the result. The Jet file is
// read in a child process (JetReadProcess), the bank written as the rows
// come, to a temporary file that is renamed to the output only when every
// table has been read whole; a file that cannot be read, is cut short, or
// makes the reader crash or hang leaves no output behind.
namespace JetImport {

struct Options
{
    QString source;
    QString output;
    bool force = false;
    QString readerProgram; // the bank tool itself, which reads the file with its read-jet command
    std::optional<std::chrono::milliseconds> timeLimit; // nothing: JetReadProcess::timeLimitFor the file's size
};

struct Result
{
    int exitCode = 0; // 0 imported and the program can use the bank, 1 not imported or check found faults, 2 usage error
    QString report;   // what was imported, then the check of the new bank
    QString message;  // what went wrong, if anything
    std::optional<CheckReport> check;
};

Result run(const Options& options);

} // namespace JetImport

#pragma once

#include "tools/commands/CheckReport.h"
#include "tools/commands/CommandResult.h"

#include "store/Database.h"

#include <QString>

// The check command: reads a bank the way the program does and reports what
// the program will do with it. The bank is opened unchanged, so none
// of its files is created or changed, and every read is bounded (`limits`).
// A bank that cannot be opened or read is a fault in the report, not an
// error.
namespace CheckCommand {

CheckReport check(const QString& bankPath, const Database::Limits& limits = {});

// The report as text; exit 1 when the program fails on the bank.
CommandResult run(const QString& bankPath, const Database::Limits& limits = {});

} // namespace CheckCommand

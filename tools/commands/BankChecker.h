#pragma once

#include "tools/commands/CheckReport.h"

#include "store/Database.h"

#include <QString>

// The check command: reads a bank the way the program does and reports what
// the program will do with it. The bank is opened unchanged, so none
// of its files is created or changed, and every read is bounded (`limits`).
namespace BankChecker {

CheckReport check(const QString& bankPath, const Database::Limits& limits = {});

} // namespace BankChecker

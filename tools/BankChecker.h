#pragma once

#include "tools/CheckReport.h"

#include <QString>

// The check command: reads a bank the way the program does and reports what
// the program will do with it. The bank is opened with Database, so the file
// is never created or changed.
namespace BankChecker {

CheckReport check(const QString& bankPath);

} // namespace BankChecker

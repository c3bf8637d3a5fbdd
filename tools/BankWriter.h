#pragma once

#include "tools/BankContent.h"

#include <QString>

// Writes a bank's rows into a new bank file with the tables of
// BankSchema::createStatements(), in the order the content lists them, in one
// transaction. `path` must not exist yet or be an empty file. Raises
// StoreError when SQLite refuses anything.
namespace BankWriter {

void write(const BankContent& content, const QString& path);

} // namespace BankWriter

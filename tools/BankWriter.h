#pragma once

#include "tools/BankContent.h"

#include <QString>

#include <functional>

class Database;

// Writes a bank's rows into a new bank file with the tables of
// BankTables::createStatements(), in the order the content lists them, in one
// transaction. `path` must not exist yet or be an empty file. Raises
// StoreError when SQLite refuses anything.
namespace BankWriter {

// Creates the bank's tables and indexes in a new, empty bank.
void createTables(Database& bank);

// Gives a question's stored picture (nothing: null) when its row is written,
// so that only one picture is in memory at a time.
using PictureOf = std::function<std::optional<QByteArray>(const BankQuestion&)>;

void write(const BankContent& content, const QString& path, const PictureOf& pictureOf);

} // namespace BankWriter

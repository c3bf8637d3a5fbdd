#pragma once

#include "tools/content/BankContent.h"

#include <QString>

#include <functional>

class Database;

// Writes a bank's rows into a new bank file with the tables of
// BankTables::createStatements(), in the order the content lists them, in one
// transaction. `path` must not exist yet or be an empty file. Raises
// StoreError when SQLite refuses anything, a value longer than `maxValue`
// bytes included, naming the row.
namespace SqliteBankWriter {

// Creates the bank's tables and indexes in a new, empty bank.
void createTables(Database& bank);

// Gives a question's stored picture (nothing: null) when its row is written,
// so that only one picture is in memory at a time.
using PictureOf = std::function<std::optional<QByteArray>(const BankQuestion&)>;

// The longest text or picture the tool writes: the longest row it reads.
qint64 maxValueBytes();

void write(const BankContent& content, const QString& path, const PictureOf& pictureOf,
           qint64 maxValue = maxValueBytes());

} // namespace SqliteBankWriter

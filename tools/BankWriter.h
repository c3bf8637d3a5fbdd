#pragma once

#include "tools/BankContent.h"

#include <QString>

#include <functional>

// Writes a bank's rows into a new bank file with the tables of
// BankSchema::createStatements(), in the order the content lists them, in one
// transaction. `path` must not exist yet or be an empty file. Raises
// StoreError when SQLite refuses anything.
namespace BankWriter {

// Gives a question's stored picture (nothing: null) when its row is written,
// so that only one picture is in memory at a time.
using PictureOf = std::function<std::optional<QByteArray>(const BankQuestion&)>;

void write(const BankContent& content, const QString& path, const PictureOf& pictureOf);

} // namespace BankWriter

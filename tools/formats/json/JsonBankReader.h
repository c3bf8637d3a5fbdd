#pragma once

#include "tools/content/BankSource.h"

#include <QString>

// Reads a bank source in the JSON format (docs/bank-tool.md): every problem
// in the file is collected, not just the first, each with its line. Picture
// paths are resolved against the file's folder; the pictures themselves are
// read when the bank is built.
namespace JsonBankReader {

BankSource read(const QString& path);

} // namespace JsonBankReader

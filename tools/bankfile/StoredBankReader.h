#pragma once

#include "tools/content/BankContent.h"

#include <QList>
#include <QStringList>

class Database;

// Reads a bank's three tables into BankContent, row by row in stored order,
// as export and the editor both need them. Pictures are not loaded: a
// question's `picture` is an empty value when its row holds one and nothing
// when it holds null, and `rowids` gives each question's row so that its
// picture can be read when it is wanted. Values the content cannot carry (a
// number field that is not an integer, a text field that is not text, a
// picture that is not a byte value) are listed in `errors`; columns beyond
// the bank's own in `warnings`, as they are not read.
namespace StoredBankReader {

struct Result
{
    BankContent content;
    QList<qint64> rowids; // Subjects.rowid of each question, in the content's order
    QStringList errors;
    QStringList warnings;
};

Result read(Database& bank);

} // namespace StoredBankReader

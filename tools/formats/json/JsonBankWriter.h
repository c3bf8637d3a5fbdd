#pragma once

#include "tools/content/BankContent.h"

#include <QByteArray>

// Writes bank content in the JSON source format, one category, question or
// material per line, members in the documented order. Types, answers and
// must-answer flags are written as words where the format has one and as
// integers otherwise, so that nothing is lost. A question's picture is
// written as its `pictureFile` (a path relative to the JSON file) when it has
// a stored value.
namespace JsonBankWriter {

QByteArray write(const BankContent& content);

} // namespace JsonBankWriter

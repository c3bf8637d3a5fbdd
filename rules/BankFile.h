#pragma once

#include <QString>

// The question bank the program reads: this file in its working directory,
// always; there is no configuration.
namespace BankFile {

inline QString name() { return QStringLiteral("velmora.db"); }

} // namespace BankFile

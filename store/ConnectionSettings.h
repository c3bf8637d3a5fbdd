#pragma once

#include <QString>

// The fixed settings of the program's one connection to its question bank.
// There is no configuration: the bank is always this file in the working
// directory.
namespace ConnectionSettings {

// File name of the question bank, relative to the working directory.
inline QString databaseFileName() { return QStringLiteral("velmora.db"); }

// How long a write waits for another program's write to finish before it
// fails. The bank is shared ("deny none"), so a short wait is expected.
inline constexpr int busyTimeoutMs = 5000;

} // namespace ConnectionSettings

#pragma once

#include <QString>

// Why a bank file cannot be opened, said before SQLite tries: SQLite's own
// answer for a path longer than it takes, or a folder that may not be
// searched, is only "unable to open database file", and it then no longer
// knows the file's name.
namespace OpenFailure {

// The reason `path` cannot be opened as named, in words; empty when
// nothing in its path stands in the way.
QString pathProblem(const QString& path);

} // namespace OpenFailure

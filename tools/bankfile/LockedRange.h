#pragma once

#include <QString>

// Whether a process other than this one holds a byte-range lock within
// `length` bytes from `start` of the file `path` (a shared or an exclusive
// one, as SQLite takes them); false for a file that cannot be opened. On
// Unix the system is asked (F_GETLK); Windows has no such question, so
// there the range is locked exclusively for an instant and let go, which
// fails while anyone holds a part of it.
bool rangeIsLocked(const QString& path, qint64 start, qint64 length);

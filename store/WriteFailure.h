#pragma once

#include <QtGlobal>

class Database;

// Why the connection's most recent write failed, in terms a message can act
// on, and the limit on the values a new bank takes: what the bank tool needs
// to say "the disk is full" rather than SQLite's words, and to refuse a
// value it would not read back.
namespace WriteFailure {

enum class Kind {
    Other,
    ValueTooBig,  // a bound value beyond the connection's value limit
    DiskFull,     // SQLite's SQLITE_FULL
    WriteRefused, // an I/O error: the system refused a read or write
};

// Ask before the failed transaction is rolled back: a rollback resets them.
Kind last(const Database& db);
// The system's error number of the last failed file operation; 0 when none
// was kept.
int lastSystemError(const Database& db);

// No text or byte value longer than `bytes` is made or bound on `db`.
void limitValueBytes(Database& db, qint64 bytes);

} // namespace WriteFailure

#pragma once

#include <QString>

// SQLite's own locks, as its file layer takes them (byte-range locks on the
// bank file, and on its `-shm` index in WAL mode). The tool
// tests them to know whether another program is using a bank it is about
// to replace.
namespace BankLocks {

// Whether some process holds one of SQLite's locks on the bank now: it is
// reading or writing it, or, in WAL mode, has it open at all. False for a
// bank that does not exist.
bool inUse(const QString& bank);

// Whether the bank has a hot rollback journal: a `-journal` beside it that a
// program which stopped while writing left (its header intact, and no
// program holding the lock of a write in progress). SQLite rolls it back on
// the bank's next read-write open; until then the bank file is half written.
bool hasHotJournal(const QString& bank);

} // namespace BankLocks

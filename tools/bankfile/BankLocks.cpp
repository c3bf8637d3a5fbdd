#include "tools/bankfile/BankLocks.h"

#include "tools/bankfile/LockedRange.h"

#include <QFile>

namespace {

// The byte ranges of SQLite's locks, the same in its Unix and its Windows
// layer (os_unix.c, os_win.c): the pending, reserved and shared bytes of
// the bank file from 1 GiB on, and the locks of a WAL index, a connection
// holding the last of them while it is open.
constexpr qint64 pendingByte = 0x40000000;
constexpr qint64 reservedByte = pendingByte + 1;
constexpr qint64 bankLockBytes = 2 + 510;
constexpr qint64 indexLockFirst = 120;
constexpr qint64 indexLockBytes = 9;

} // namespace

namespace BankLocks {

bool inUse(const QString& bank)
{
    return rangeIsLocked(bank, pendingByte, bankLockBytes)
        || rangeIsLocked(bank + QStringLiteral("-shm"), indexLockFirst, indexLockBytes);
}

bool hasHotJournal(const QString& bank)
{
    // The first bytes of a journal whose header SQLite has written; a journal
    // left zeroed or empty (journal_mode persist or truncate) is not hot.
    static const QByteArray magic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile journal(bank + QStringLiteral("-journal"));
    if (!journal.open(QIODevice::ReadOnly) || journal.read(magic.size()) != magic)
        return false;
    return !rangeIsLocked(bank, reservedByte, 1);
}

} // namespace BankLocks

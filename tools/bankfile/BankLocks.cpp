#include "tools/bankfile/BankLocks.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The byte ranges of SQLite's Unix locks (os_unix.c): the pending,
// reserved and shared bytes of the bank file from 1 GiB on, and the locks
// of a WAL index, a connection holding the last of them while it is open.
constexpr off_t pendingByte = 0x40000000;
constexpr off_t reservedByte = pendingByte + 1;
constexpr off_t bankLockBytes = 2 + 510;
constexpr off_t indexLockFirst = 120;
constexpr off_t indexLockBytes = 9;

// Whether another process holds any lock in the range; a file that cannot
// be opened holds none that matters here.
bool locked(const QString& path, off_t start, off_t length)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = start;
    lock.l_len = length;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

} // namespace

namespace BankLocks {

bool inUse(const QString& bank)
{
    return locked(bank, pendingByte, bankLockBytes)
        || locked(bank + QStringLiteral("-shm"), indexLockFirst, indexLockBytes);
}

bool hasHotJournal(const QString& bank)
{
    // The first bytes of a journal whose header SQLite has written; a journal
    // left zeroed or empty (journal_mode persist or truncate) is not hot.
    static const QByteArray magic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile journal(bank + QStringLiteral("-journal"));
    if (!journal.open(QIODevice::ReadOnly) || journal.read(magic.size()) != magic)
        return false;
    return !locked(bank, reservedByte, 1);
}

} // namespace BankLocks

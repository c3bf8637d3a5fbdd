#include "tools/bankfile/LockedRange.h"

#include "tools/bankfile/WindowsFiles.h"

bool rangeIsLocked(const QString& path, qint64 start, qint64 length)
{
    // Shared like SQLite's own handles, so that the bank can be opened
    // whoever uses it.
    const WindowsFiles::Handle file = WindowsFiles::openShared(path, GENERIC_READ, FILE_ATTRIBUTE_NORMAL);
    if (!file.valid())
        return false;
    OVERLAPPED at {};
    at.Offset = DWORD(quint64(start) & 0xffffffffu);
    at.OffsetHigh = DWORD(quint64(start) >> 32);
    const DWORD low = DWORD(quint64(length) & 0xffffffffu);
    const DWORD high = DWORD(quint64(length) >> 32);
    // A lock that cannot be taken counts as held: the tool then leaves the
    // bank alone rather than replace one in use.
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, low, high, &at))
        return true;
    UnlockFileEx(file.get(), 0, low, high, &at);
    return false;
}

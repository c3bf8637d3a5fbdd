#include "tools/bankfile/RunLock.h"

#include "tools/bankfile/WindowsFiles.h"

using WindowsFiles::nativeName;

namespace {

// Opens the entry itself (a link is not followed, and refused), a folder
// as well as a file, sharing as `share` says. For reading: sharing is
// checked only between handles that may read or write (or delete), so a
// handle that may only look at the attributes would neither hold the lock
// nor see it held.
HANDLE openEntry(const QString& path, DWORD share)
{
    const HANDLE handle = CreateFileW(nativeName(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        WindowsFiles::failed();
        return handle;
    }
    BY_HANDLE_FILE_INFORMATION information {};
    if (!GetFileInformationByHandle(handle, &information)
        || (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(handle);
        errno = ELOOP;
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

} // namespace

bool RunLock::take(const QString& path)
{
    release();
    // Everything shared: the run itself writes, renames and removes the
    // entry while it holds it open.
    const HANDLE handle = openEntry(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    handle_ = reinterpret_cast<qintptr>(handle);
    return true;
}

void RunLock::release()
{
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

bool RunLock::isFree(const QString& path)
{
    // Opening with no sharing fails while any process has the entry open.
    const HANDLE handle = openEntry(path, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

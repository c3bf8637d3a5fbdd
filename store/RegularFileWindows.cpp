// RegularFile on Windows: the same checks as on Unix, made with the Windows
// API, which takes names in UTF-16 (any Chinese name, whatever the system's
// code page) and reads bytes as they are (no text-mode translation).

#include "store/OpenedFile.h"
#include "store/RegularFile.h"

#include "store/SystemError.h"
#include "store/WindowsError.h"
#include "store/WindowsHandle.h"

namespace {

using WindowsHandle::Handle;
using WindowsHandle::nativeName;

// Opens `path` for reading (or, with no `access`, only to look at it),
// following links. Backup semantics opens a folder too, so that it can be
// told apart from a missing file.
Handle openShared(const QString& path, DWORD access)
{
    return WindowsHandle::openShared(path, access, FILE_FLAG_BACKUP_SEMANTICS);
}

// In the user's language where SystemError knows the reason (a missing
// file, a denied permission), else as the system says it.
QString systemError(DWORD error)
{
    const int code = errnoForWindowsError(error);
    return code != 0 ? SystemError::text(code) : qt_error_string(int(error));
}

QString cannotRead(DWORD error = GetLastError())
{
    return RegularFile::tr("cannot be read: %1").arg(systemError(error));
}

} // namespace

OpenedFile::OpenedFile(const QString& path) : file_(openShared(path, GENERIC_READ))
{
    if (!file_.valid()) {
        // A folder cannot be opened for reading its contents as bytes; say
        // what it is rather than "access denied". (The reason is kept before
        // the attributes are asked for, which may change it.)
        const DWORD openError = GetLastError();
        const DWORD attributes = GetFileAttributesW(nativeName(path).c_str());
        error_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ? RegularFile::tr("is a folder, not a file")
            : cannotRead(openError);
        return;
    }
    // A pipe, a console or a device such as NUL or COM1 is no file to read
    // (and has no file information to ask for).
    BY_HANDLE_FILE_INFORMATION information {};
    if (GetFileType(file_.get()) != FILE_TYPE_DISK)
        error_ = RegularFile::tr("is not a regular file (a device, a pipe or a socket); only files are read");
    else if (!GetFileInformationByHandle(file_.get(), &information))
        error_ = cannotRead();
    else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        error_ = RegularFile::tr("is a folder, not a file");
    else
        size_ = qint64((quint64(information.nFileSizeHigh) << 32) | information.nFileSizeLow);
}

OpenedFile::~OpenedFile() = default;

qint64 OpenedFile::read(char* data, qint64 count)
{
    // ReadFile takes a 32-bit count.
    DWORD got = 0;
    if (!ReadFile(file_.get(), data, DWORD(qMin<qint64>(count, 1 << 30)), &got, nullptr)) {
        error_ = cannotRead();
        return -1;
    }
    return got;
}

bool RegularFile::isRegular(const QString& path)
{
    const Handle file = openShared(path, 0);
    BY_HANDLE_FILE_INFORMATION information {};
    return file.get() != INVALID_HANDLE_VALUE && GetFileType(file.get()) == FILE_TYPE_DISK
        && GetFileInformationByHandle(file.get(), &information)
        && !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RegularFile::entryExists(const QString& path)
{
    // The attributes of the name itself: a link is not followed, so a
    // dangling one exists too.
    return GetFileAttributesW(nativeName(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

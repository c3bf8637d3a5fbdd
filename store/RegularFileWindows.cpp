// RegularFile on Windows: the same checks as on Unix, made with the Windows
// API, which takes names in UTF-16 (any Chinese name, whatever the system's
// code page) and reads bytes as they are (no text-mode translation).

#include "store/RegularFile.h"

#include "store/SystemError.h"
#include "store/WindowsError.h"
#include "store/WindowsHandle.h"

namespace {

using WindowsHandle::Handle;
using WindowsHandle::nativeName;

// Opens `path` for reading (or, with no `access`, only to look at it),
// following links. Sharing everything: another program may read, write or
// delete the file meanwhile, as it may on Unix. Backup semantics opens a
// folder too, so that it can be told apart from a missing file.
Handle openShared(const QString& path, DWORD access)
{
    return Handle(CreateFileW(nativeName(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// In the user's language where SystemError knows the reason (a missing
// file, a denied permission), else as the system says it.
QString systemError(DWORD error)
{
    const int code = errnoForWindowsError(error);
    return code != 0 ? SystemError::text(code) : qt_error_string(int(error));
}

RegularFile::Result cannotRead()
{
    return {std::nullopt, RegularFile::tr("cannot be read: %1").arg(systemError(GetLastError()))};
}

RegularFile::Result tooLarge(qint64 count)
{
    return {std::nullopt, RegularFile::tr("is larger than %1, the limit for this kind of file")
                              .arg(RegularFile::sizeText(count))};
}

// Reads up to `count` bytes, or `count + 1` to tell a file that is too long.
RegularFile::Result readFile(const QString& path, qint64 count, bool whole)
{
    const Handle file = openShared(path, GENERIC_READ);
    if (file.get() == INVALID_HANDLE_VALUE) {
        // A folder cannot be opened for reading its contents as bytes; say
        // what it is rather than "access denied".
        const DWORD attributes = GetFileAttributesW(nativeName(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {std::nullopt, RegularFile::tr("is a folder, not a file")};
        return cannotRead();
    }
    // A pipe, a console or a device such as NUL or COM1 is no file to read
    // (and has no file information to ask for).
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return {std::nullopt, RegularFile::tr("is not a regular file (a device, a pipe or a socket); only files are read")};
    BY_HANDLE_FILE_INFORMATION information {};
    if (!GetFileInformationByHandle(file.get(), &information))
        return cannotRead();
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {std::nullopt, RegularFile::tr("is a folder, not a file")};
    const qint64 size = qint64((quint64(information.nFileSizeHigh) << 32) | information.nFileSizeLow);
    if (whole && size > count)
        return tooLarge(count);

    const qint64 wanted = whole ? count + 1 : count;
    QByteArray bytes;
    bytes.resize(qsizetype(qMin<qint64>(wanted, whole ? size + 1 : wanted)));
    qint64 done = 0;
    while (done < wanted) {
        if (done == bytes.size())
            bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(bytes.size() * 2, 4096))));
        const DWORD chunk = DWORD(qMin<qint64>(bytes.size() - done, 1 << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr))
            return cannotRead();
        if (got == 0)
            break;
        done += got;
    }
    // The file may have grown since it was measured.
    if (whole && done > count)
        return tooLarge(count);
    bytes.truncate(qsizetype(done));
    return {bytes, {}};
}

} // namespace

RegularFile::Result RegularFile::read(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes, true);
}

RegularFile::Result RegularFile::readPrefix(const QString& path, qint64 count)
{
    return readFile(path, count, false);
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

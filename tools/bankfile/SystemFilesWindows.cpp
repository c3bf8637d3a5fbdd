// SystemFiles on Windows: moves are written through to the disk by the
// system (MOVEFILE_WRITE_THROUGH), which is what syncing the folder after a
// rename does on Unix.

#include "tools/bankfile/SystemFiles.h"

#include "tools/bankfile/WindowsFiles.h"

using WindowsFiles::failed;
using WindowsFiles::Handle;
using WindowsFiles::nativeName;
using WindowsFiles::openShared;

namespace SystemFiles {

bool renameNoReplace(const QString& from, const QString& to)
{
    // Without MOVEFILE_REPLACE_EXISTING the move refuses any existing name.
    return MoveFileExW(nativeName(from).c_str(), nativeName(to).c_str(), MOVEFILE_WRITE_THROUGH) || failed();
}

// Whether another program has `path` open without letting it be deleted or
// renamed over (as SQLite opens a bank): a handle asking for deletion is
// refused then.
bool isHeldOpen(const QString& path)
{
    const Handle file = openShared(path, DELETE, FILE_FLAG_OPEN_REPARSE_POINT);
    return !file.valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

bool renameReplacing(const QString& from, const QString& to)
{
    if (MoveFileExW(nativeName(from).c_str(), nativeName(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    // Windows refuses to replace a file another program has open, and says
    // "access denied"; "in use" is what it means.
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && isHeldOpen(to)) {
        errno = EBUSY;
        return false;
    }
    SetLastError(error);
    return failed();
}

bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    // CREATE_NEW refuses any existing name, a link included, so nothing is
    // ever written through one.
    const Handle file(CreateFileW(nativeName(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return failed();
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = DWORD(qMin<qsizetype>(bytes.size() - done, 1 << 30));
        if (!WriteFile(file.get(), bytes.constData() + done, chunk, &wrote, nullptr))
            return failed();
        if (wrote == 0) {
            errno = ENOSPC;
            return false;
        }
        done += wrote;
    }
    return FlushFileBuffers(file.get()) || failed();
}

bool syncFile(const QString& path)
{
    // FlushFileBuffers needs a handle that may write.
    const Handle file = openShared(path, GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL);
    return (file.valid() && FlushFileBuffers(file.get())) || failed();
}

void syncFolder(const QString&)
{
    // The moves into the folder were written through.
}

bool makeFolder(const QString& path)
{
    return CreateDirectoryW(nativeName(path).c_str(), nullptr) || failed();
}

bool removeEntry(const QString& path)
{
    // DeleteFileW removes a symbolic link itself.
    return DeleteFileW(nativeName(path).c_str()) || failed();
}

void giveUsualPermissions(const QString&)
{
    // A file made on Windows takes its folder's permissions already.
}

QByteArray narrowName(const QString& path)
{
    // The C library turns a narrow name into UTF-16 through the code page;
    // a name is good when it comes back as it was.
    const auto spelt = [](const QString& name) {
        const QByteArray narrow = name.toLocal8Bit();
        return QString::fromLocal8Bit(narrow) == name ? narrow : QByteArray();
    };
    if (const QByteArray narrow = spelt(path); !narrow.isEmpty())
        return narrow;
    const std::wstring name = nativeName(path);
    const DWORD size = GetShortPathNameW(name.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring shortName(size, L'\0');
    const DWORD length = GetShortPathNameW(name.c_str(), shortName.data(), size);
    if (length == 0 || length >= size)
        return {};
    shortName.resize(length);
    return spelt(QString::fromStdWString(shortName));
}

QByteArray libraryFileName(const QString& path)
{
    return path.toUtf8();
}

std::optional<qint64> freeBytes(const QString& folder)
{
    ULARGE_INTEGER available {};
    if (!GetDiskFreeSpaceExW(nativeName(folder).c_str(), &available, nullptr, nullptr))
        return std::nullopt;
    return qint64(available.QuadPart);
}

} // namespace SystemFiles

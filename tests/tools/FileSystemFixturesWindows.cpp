#include "FileSystemFixtures.h"

#include "store/WindowsHandle.h"

using WindowsHandle::nativeName;

QString whyNoUnixEntries()
{
    return QStringLiteral("Windows: a symbolic link needs a privilege users do not have, and a named pipe lives in "
                          "\\\\.\\pipe, never in a folder");
}

bool makeSymbolicLink(const QString&, const QString&)
{
    return false;
}

bool makeFifo(const QString&)
{
    return false;
}

bool makeHardLink(const QString& existing, const QString& link)
{
    return CreateHardLinkW(nativeName(link).c_str(), nativeName(existing).c_str(), nullptr);
}

bool setModifiedTime(const QString& path, qint64 secondsSinceEpoch)
{
    // Backup semantics opens a folder as well as a file.
    const HANDLE handle = CreateFileW(nativeName(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // FILETIME counts 100-nanosecond steps from 1601.
    const quint64 ticks = quint64(secondsSinceEpoch) * 10000000ull + 116444736000000000ull;
    const FILETIME time{DWORD(ticks & 0xffffffffu), DWORD(ticks >> 32)};
    const bool set = SetFileTime(handle, nullptr, &time, &time);
    CloseHandle(handle);
    return set;
}

QString limitFileSize(QProcess&, qint64)
{
    return QStringLiteral("Windows has no limit on the size of the files a process writes; a full disk would need a "
                          "small volume of its own");
}

QByteArray gb18030(const QString& text)
{
    // GBK where the system lacks GB18030 (Wine), as the tool reads it there.
    const UINT codePage = IsValidCodePage(54936) ? 54936 : 936;
    const auto wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = WideCharToMultiByte(codePage, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(codePage, 0, wide, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

RunningLock::RunningLock(const QString& path)
{
    // A run holds its temporary file open, sharing everything, for as long
    // as it works (the tool's RunLock on Windows).
    const HANDLE handle = CreateFileW(nativeName(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        handle_ = reinterpret_cast<qintptr>(handle);
}

RunningLock::~RunningLock()
{
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

#pragma once

// Windows only: what every use of the Windows file API here shares, a path
// as that API takes it (UTF-16, so that any Chinese name opens whatever the
// system's code page) and a handle that is closed when it goes.

#include <QDir>
#include <QString>

#include <string>

#include <windows.h>

namespace WindowsHandle {

inline std::wstring nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Closes a handle when it goes out of scope.
class Handle
{
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Opens the existing file (or, with FILE_FLAG_BACKUP_SEMANTICS, folder)
// `path` with `access` and `flags`, sharing everything: another program may
// read, write, rename or delete it meanwhile, as it may on Unix, and a bank
// SQLite holds open can still be opened.
inline Handle openShared(const QString& path, DWORD access, DWORD flags)
{
    return Handle(CreateFileW(nativeName(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, flags, nullptr));
}

} // namespace WindowsHandle

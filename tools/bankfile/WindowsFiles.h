#pragma once

// What the Windows versions of the tool's file operations share: names as
// UTF-16, handles closed when they go, and the system's errors as their
// errno counterparts (store/WindowsError.h), which OutputFiles::systemError
// says in words.

#include "store/WindowsError.h"

#include <QDir>
#include <QString>

#include <cerrno>
#include <string>

#include <windows.h>

namespace WindowsFiles {

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

// Sets errno from the system's last error (an input/output error when it
// has no counterpart); for `return failed();`.
inline bool failed()
{
    const int error = errnoForWindowsError(GetLastError());
    errno = error != 0 ? error : EIO;
    return false;
}

} // namespace WindowsFiles

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

} // namespace WindowsHandle

#pragma once

// What the Windows versions of the tool's file operations share: names as
// UTF-16, handles closed when they go, and the system's errors as their
// errno counterparts (store/WindowsError.h), which OutputFiles::systemError
// says in words.

#include "store/WindowsError.h"
#include "store/WindowsHandle.h"

#include <cerrno>

#include <windows.h>

namespace WindowsFiles {

using WindowsHandle::Handle;
using WindowsHandle::nativeName;
using WindowsHandle::openShared;

// Sets errno from the system's last error (an input/output error when it
// has no counterpart); for `return failed();`.
inline bool failed()
{
    const int error = errnoForWindowsError(GetLastError());
    errno = error != 0 ? error : EIO;
    return false;
}

} // namespace WindowsFiles

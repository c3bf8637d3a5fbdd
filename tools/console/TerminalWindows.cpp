#include "tools/console/Terminal.h"

#include <io.h>
#include <windows.h>

bool isTerminal(std::FILE* stream)
{
    // A console has a console mode; _isatty alone would also say yes to the
    // NUL device, where output is thrown away.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void showUtf8OnTerminal()
{
    // Only the console's output code page: a file or pipe the output is
    // redirected to gets the same UTF-8 bytes as on Unix.
    if (isTerminal(stdout) || isTerminal(stderr))
        SetConsoleOutputCP(CP_UTF8);
}

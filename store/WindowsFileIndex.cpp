#include "store/WindowsFileIndex.h"

#include <QDir>

#include <windows.h>

std::optional<WindowsFileIndex> windowsFileIndex(const QString& path)
{
    // No access rights asked for, and every kind of sharing allowed: looking
    // at the file must never stand in the way of another program (or this
    // one) reading, writing, renaming or deleting it. Backup semantics lets
    // a folder be opened too.
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const HANDLE file = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information {};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    if (!known)
        return std::nullopt;
    return WindowsFileIndex{information.dwVolumeSerialNumber,
                            (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

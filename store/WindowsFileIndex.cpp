#include "store/WindowsFileIndex.h"

#include "store/WindowsHandle.h"

std::optional<WindowsFileIndex> windowsFileIndex(const QString& path)
{
    // No access rights asked for, and every kind of sharing allowed: looking
    // at the file must never stand in the way of another program (or this
    // one) reading, writing, renaming or deleting it. Backup semantics lets
    // a folder be opened too.
    const WindowsHandle::Handle file = WindowsHandle::openShared(path, 0, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION information {};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information))
        return std::nullopt;
    return WindowsFileIndex{information.dwVolumeSerialNumber,
                            (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

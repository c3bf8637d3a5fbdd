#pragma once

#include <QString>

#include <optional>

// What tells one file from another on Windows, as the device and inode
// numbers do on Unix: the serial number of the volume that holds it and the
// index the file system gives the file there. Both stay the same while the
// file is renamed, written or moved within its volume, and a file put in its
// place gets another index. (The creation time would not do: a copy made
// over the old file may carry the old time, and it has a coarse resolution
// on some file systems.)
struct WindowsFileIndex
{
    quint64 volume = 0;
    quint64 index = 0;
};

// The file `path` names, following links; nothing when it cannot be opened.
std::optional<WindowsFileIndex> windowsFileIndex(const QString& path);

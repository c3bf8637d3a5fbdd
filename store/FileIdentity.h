#pragma once

#include <QString>

// Which file a path names, and in what state. What tells one file from
// another is its device and inode on Unix, and on Windows the volume's
// serial number and the file's index there (WindowsFileIndex): both stay
// while the file is written or renamed, and a file put in its place (a copy
// renamed over it) has others. Its size and modification time, to the
// nanosecond where the system keeps them, tell whether it was written.
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    static FileIdentity of(const QString& path);

    // Still the same file, whatever was written into it since: neither
    // deleted nor replaced by another.
    bool isSameFileAs(const FileIdentity& other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }

    // A -journal or -wal beside the bank that holds anything: a program has
    // the bank open for writing, or one stopped half-way through a write.
    static bool hasPendingWrites(const QString& bankPath);

    // The same file, unchanged.
    bool operator==(const FileIdentity&) const = default;
};

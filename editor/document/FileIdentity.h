#pragma once

#include <QString>

// Which file a path names and in what state: its device and inode (a file
// replaced by another program has a new one), size and modification time to
// the nanosecond, and whether SQLite has a journal or log beside it (another
// program writing, or a write it did not finish). Two identities of the same
// path are equal only when nothing of this changed.
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    static FileIdentity of(const QString& path);

    // A -journal or -wal beside the bank that holds anything: a program has
    // the bank open for writing, or one stopped half-way through a write.
    static bool hasPendingWrites(const QString& bankPath);

    bool operator==(const FileIdentity&) const = default;
};

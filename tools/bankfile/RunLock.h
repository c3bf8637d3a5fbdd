#pragma once

#include <QString>

// The lock a run of the tool holds on its own temporary file or folder while
// it works, which the system drops when the process ends, however it ends:
// so a later run can tell what a stopped run left (no one holds its lock)
// from what a run still going is writing. Taken without waiting; never
// through a symbolic link.
//
// On Unix it is a flock on the entry. On Windows it is an open handle: the
// run keeps its entry open, and an entry is free when it can be opened with
// no sharing at all, which fails while any process has it open.
class RunLock
{
public:
    RunLock() = default;
    ~RunLock() { release(); }

    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // Takes the lock on a file or folder; false (errno saying why) when
    // another process holds it or it cannot be opened.
    bool take(const QString& path);
    void release();

    // Whether no process holds the lock on `path` now; false when it cannot
    // be opened (a symbolic link included).
    static bool isFree(const QString& path);

private:
    qintptr handle_ = -1;
};

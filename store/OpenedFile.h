#pragma once

#include <QString>

#ifdef Q_OS_WIN
#include "store/WindowsHandle.h"
#endif

// A file opened for reading only where its name leads to a regular file,
// by the system's own calls (RegularFileUnix.cpp, RegularFileWindows.cpp):
// a FIFO, a device, a folder or a socket is refused, a FIFO without waiting
// for a writer.
class OpenedFile
{
public:
    explicit OpenedFile(const QString& path);
    ~OpenedFile();
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    // Why the file cannot be read, for a message after its name; empty
    // while it can be.
    const QString& error() const { return error_; }

    // Its size when it was opened.
    qint64 size() const { return size_; }

    // Reads at most `count` bytes into `data`: how many were read, 0 at the
    // file's end, -1 when reading failed (error() then says why).
    qint64 read(char* data, qint64 count);

private:
#ifdef Q_OS_WIN
    WindowsHandle::Handle file_;
#else
    int fd_ = -1;
#endif
    qint64 size_ = 0;
    QString error_;
};

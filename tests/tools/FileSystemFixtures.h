#pragma once

#include <QProcess>
#include <QString>

// The entries the bank tool's safety tests make in a folder, and the limits
// they set, on each system (FileSystemFixturesUnix.cpp,
// FileSystemFixturesWindows.cpp). What a system does not have is reported,
// not faked: a test of it skips itself, or leaves that case out, with the
// reason.

// Why symbolic links and FIFOs cannot be made here; empty where they can
// (Unix). On Windows a symbolic link needs a privilege users do not have, and
// a named pipe lives in its own namespace, never in a folder.
QString whyNoUnixEntries();

bool makeSymbolicLink(const QString& target, const QString& link);
bool makeFifo(const QString& path);
bool makeHardLink(const QString& existing, const QString& link);

// Sets the last modification time of a file or a folder.
bool setModifiedTime(const QString& path, qint64 secondsSinceEpoch);

// Makes `process` start with a limit on the size of the files it writes,
// which refuses a write past it as a full disk does. Empty when it is set;
// else why the system cannot.
QString limitFileSize(QProcess& process, qint64 bytes);

// `text` in GB18030, as "CSV (逗号分隔)" saves it on a Chinese Windows (Qt
// encodes it only where it has ICU; Windows has its own converter).
QByteArray gb18030(const QString& text);

// A lock on a file as a run of the tool still going holds it on its
// temporary file, taken from this process as another process's would be.
class RunningLock
{
public:
    explicit RunningLock(const QString& path);
    ~RunningLock();
    RunningLock(const RunningLock&) = delete;
    RunningLock& operator=(const RunningLock&) = delete;
    bool held() const { return handle_ != -1; }

private:
    qintptr handle_ = -1;
};

#include "FileSystemFixtures.h"

#include <QFile>
#include <QStringEncoder>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

QString whyNoUnixEntries()
{
    return {};
}

bool makeSymbolicLink(const QString& target, const QString& link)
{
    return ::symlink(encoded(target).constData(), encoded(link).constData()) == 0;
}

bool makeFifo(const QString& path)
{
    return ::mkfifo(encoded(path).constData(), 0600) == 0;
}

bool makeHardLink(const QString& existing, const QString& link)
{
    return ::link(encoded(existing).constData(), encoded(link).constData()) == 0;
}

bool setModifiedTime(const QString& path, qint64 secondsSinceEpoch)
{
    const struct utimbuf times{time_t(secondsSinceEpoch), time_t(secondsSinceEpoch)};
    return ::utime(encoded(path).constData(), &times) == 0;
}

QString limitFileSize(QProcess& process, qint64 bytes)
{
    process.setChildProcessModifier([bytes] {
        const struct rlimit limit{rlim_t(bytes), rlim_t(bytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing the process
    });
    return {};
}

QByteArray gb18030(const QString& text)
{
    return QStringEncoder("GB18030").encode(text);
}

RunningLock::RunningLock(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY);
    if (fd >= 0 && ::flock(fd, LOCK_EX) == 0)
        handle_ = fd;
    else if (fd >= 0)
        ::close(fd);
}

RunningLock::~RunningLock()
{
    if (handle_ != -1)
        ::close(int(handle_));
}

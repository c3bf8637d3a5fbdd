// RegularFile on Unix: the file opened, looked at and read with the POSIX
// calls, by the file system's own bytes for its name.

#include "store/OpenedFile.h"
#include "store/RegularFile.h"
#include "store/SystemError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString cannotRead()
{
    return RegularFile::tr("cannot be read: %1").arg(SystemError::text(errno));
}

} // namespace

OpenedFile::OpenedFile(const QString& path)
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer for ever. The descriptor is only read once it is known to be a
    // regular file, for which the flag means nothing.
    : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        error_ = cannotRead();
    else if (S_ISDIR(info.st_mode))
        error_ = RegularFile::tr("is a folder, not a file");
    else if (!S_ISREG(info.st_mode))
        error_ = RegularFile::tr("is not a regular file (a device, a pipe or a socket); only files are read");
    else
        size_ = qint64(info.st_size);
}

OpenedFile::~OpenedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

qint64 OpenedFile::read(char* data, qint64 count)
{
    for (;;) {
        const ssize_t got = ::read(fd_, data, size_t(count));
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error_ = cannotRead();
            return -1;
        }
    }
}

bool RegularFile::isRegular(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool RegularFile::entryExists(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

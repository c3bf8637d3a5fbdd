#include "tools/bankfile/RunLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int lockedDescriptor(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    if (fd >= 0) {
        const int failure = errno;
        ::close(fd);
        errno = failure;
    }
    return -1;
}

} // namespace

bool RunLock::take(const QString& path)
{
    release();
    handle_ = lockedDescriptor(path);
    return handle_ >= 0;
}

void RunLock::release()
{
    if (handle_ >= 0)
        ::close(int(handle_));
    handle_ = -1;
}

bool RunLock::isFree(const QString& path)
{
    // Taking the lock succeeds only when no one holds it; it is dropped
    // again with the descriptor.
    const int fd = lockedDescriptor(path);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

#include "tools/bankfile/SystemFiles.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// Writes every byte, retrying short writes; a write that takes nothing
// means the disk is full.
bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = ENOSPC;
            return false;
        }
        done += wrote;
    }
    return true;
}

// fsync, where a file system that cannot sync (EINVAL) is not a failure.
bool synced(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

} // namespace

namespace SystemFiles {

bool renameNoReplace(const QString& from, const QString& to)
{
    // renameat2's RENAME_NOREPLACE where the file system has it, else a hard
    // link (which refuses an existing name just as well) and the removal of
    // the old name.
    if (::renameat2(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(encoded(from).constData(), encoded(to).constData()) != 0)
        return false;
    ::unlink(encoded(from).constData());
    return true;
}

bool renameReplacing(const QString& from, const QString& to)
{
    return std::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && synced(fd);
    const int failure = errno;
    ::close(fd);
    errno = failure;
    return written;
}

bool syncFile(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool done = synced(fd);
    const int failure = errno;
    ::close(fd);
    errno = failure;
    return done;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool makeFolder(const QString& path)
{
    return ::mkdir(encoded(path).constData(), 0777) == 0;
}

bool removeEntry(const QString& path)
{
    return ::unlink(encoded(path).constData()) == 0;
}

void giveUsualPermissions(const QString& path)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(encoded(path).constData(), 0666 & ~mask);
}

QByteArray narrowName(const QString& path)
{
    return encoded(path);
}

QByteArray libraryFileName(const QString& path)
{
    return encoded(path);
}

std::optional<qint64> freeBytes(const QString& folder)
{
    struct statvfs info {};
    if (::statvfs(encoded(folder).constData(), &info) != 0)
        return std::nullopt;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

} // namespace SystemFiles

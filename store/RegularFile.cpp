#include "store/RegularFile.h"

#include "store/SystemError.h"

#include <QFile>

// The Windows counterparts of the POSIX calls below are in RegularFileWindows.cpp.
#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QString systemError(int error)
{
    return SystemError::text(error);
}

// Reads up to `count` bytes, or `count + 1` to tell a file that is too long.
RegularFile::Result readFile(const QString& path, qint64 count, bool whole)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer for ever. The descriptor is only read once it is known to be a
    // regular file, for which the flag means nothing.
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return {std::nullopt, RegularFile::tr("cannot be read: %1").arg(systemError(errno))};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return {std::nullopt, RegularFile::tr("cannot be read: %1").arg(systemError(errno))};
    if (S_ISDIR(info.st_mode))
        return {std::nullopt, RegularFile::tr("is a folder, not a file")};
    if (!S_ISREG(info.st_mode))
        return {std::nullopt, RegularFile::tr("is not a regular file (a device, a pipe or a socket); only files are read")};
    if (whole && info.st_size > count)
        return {std::nullopt, RegularFile::tr("is larger than %1, the limit for this kind of file")
                                  .arg(RegularFile::sizeText(count))};

    const qint64 wanted = whole ? count + 1 : count;
    QByteArray bytes;
    bytes.resize(qsizetype(qMin<qint64>(wanted, whole ? qint64(info.st_size) + 1 : wanted)));
    qint64 done = 0;
    while (done < wanted) {
        if (done == bytes.size())
            bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(bytes.size() * 2, 4096))));
        const ssize_t got = ::read(fd.get(), bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {std::nullopt, RegularFile::tr("cannot be read: %1").arg(systemError(errno))};
        if (got == 0)
            break;
        done += got;
    }
    // The file may have grown since it was measured.
    if (whole && done > count)
        return {std::nullopt, RegularFile::tr("is larger than %1, the limit for this kind of file")
                                  .arg(RegularFile::sizeText(count))};
    bytes.truncate(qsizetype(done));
    return {bytes, {}};
}

} // namespace

RegularFile::Result RegularFile::read(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes, true);
}

RegularFile::Result RegularFile::readPrefix(const QString& path, qint64 count)
{
    return readFile(path, count, false);
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

#endif // Q_OS_WIN

QString RegularFile::sizeText(qint64 bytes)
{
    constexpr qint64 kb = 1024;
    constexpr qint64 mb = kb * 1024;
    constexpr qint64 gb = mb * 1024;
    if (bytes >= gb && bytes % gb == 0)
        return tr("%1 GB").arg(bytes / gb);
    // Whole units as they are ("64 MB", a limit); others to a tenth.
    const auto inUnits = [bytes](qint64 unit) {
        return bytes % unit == 0 ? QString::number(bytes / unit) : QString::number(double(bytes) / unit, 'f', 1);
    };
    if (bytes >= mb)
        return tr("%1 MB").arg(inUnits(mb));
    if (bytes >= kb)
        return tr("%1 KB").arg(inUnits(kb));
    return tr("%1 bytes").arg(bytes);
}

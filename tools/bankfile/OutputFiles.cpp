#include "tools/bankfile/OutputFiles.h"

#include "store/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(OutputFiles)
};

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// Renames without replacing anything: renameat2's RENAME_NOREPLACE where
// the file system has it, else a hard link (which refuses an existing name
// just as well) and the removal of the old name.
bool renameNoReplace(const QString& from, const QString& to)
{
    if (::renameat2(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(encoded(from).constData(), encoded(to).constData()) != 0)
        return false;
    ::unlink(encoded(from).constData());
    return true;
}

} // namespace

namespace OutputFiles {

QString systemError(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return Text::tr("the disk is full (or your quota is used up); free some space and try again");
    if (error == EFBIG)
        return Text::tr("the file is too large for this disk or this user");
    if (error == EEXIST)
        return Text::tr("it already exists; give --force to replace it");
    return SystemError::text(error);
}

QString aliasedInput(const QString& output, const QStringList& inputs)
{
    struct stat out {};
    if (::stat(encoded(output).constData(), &out) != 0)
        return {};
    for (const QString& input : inputs) {
        struct stat in {};
        if (!input.isEmpty() && ::stat(encoded(input).constData(), &in) == 0 && in.st_dev == out.st_dev
            && in.st_ino == out.st_ino)
            return input;
    }
    return {};
}

bool writeAll(int fd, const QByteArray& bytes, QString& error)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            error = systemError(wrote < 0 ? errno : ENOSPC);
            return false;
        }
        done += wrote;
    }
    return true;
}

std::optional<qint64> freeBytes(const QString& folder)
{
    struct statvfs info {};
    if (::statvfs(encoded(folder).constData(), &info) != 0)
        return std::nullopt;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool place(const QString& temporary, const QString& target, bool replace, QString& error)
{
    const bool moved = replace ? std::rename(encoded(temporary).constData(), encoded(target).constData()) == 0
                               : renameNoReplace(temporary, target);
    if (!moved) {
        error = Text::tr("%1: %2").arg(target, systemError(errno));
        return false;
    }
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

} // namespace OutputFiles

#include "tools/bankfile/OutputFiles.h"

#include "store/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

bool place(const QString& temporary, const QString& target, bool replace, QString& error)
{
    const bool moved = replace ? std::rename(encoded(temporary).constData(), encoded(target).constData()) == 0
                               : renameNoReplace(temporary, target);
    if (!moved)
        error = Text::tr("%1: %2").arg(target, systemError(errno));
    return moved;
}

bool write(const QString& target, const QByteArray& bytes, bool replace, QString& error)
{
    const QFileInfo info(target);
    QTemporaryFile temporary(info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(info.fileName())));
    if (!temporary.open()) {
        error = Text::tr("%1: cannot write in this folder: %2").arg(target, SystemError::translated(temporary.errorString()));
        return false;
    }
    QString reason;
    if (!writeAll(temporary.handle(), bytes, reason) || (::fsync(temporary.handle()) != 0 && errno != EINVAL)) {
        error = Text::tr("%1: %2").arg(target, reason.isEmpty() ? systemError(errno) : reason);
        return false;
    }
    // The permissions the user's umask gives, not the private ones of a
    // temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(temporary.handle(), 0666 & ~mask);
    temporary.close();
    if (!place(temporary.fileName(), target, replace, error))
        return false;
    temporary.setAutoRemove(false);
    return true;
}

} // namespace OutputFiles

OutputFolder::OutputFolder(const QString& path, bool replace)
    : path_(path)
    , replace_(replace)
{
}

QString OutputFolder::filePath(const QString& name) const
{
    return QDir(path_).filePath(name);
}

QStringList OutputFolder::existing(const QStringList& names) const
{
    QStringList found;
    for (const QString& name : names) {
        struct stat info {};
        if (::lstat(encoded(filePath(name)).constData(), &info) == 0)
            found.append(filePath(name));
    }
    return found;
}

bool OutputFolder::make(const QString& subfolder, QString& error) const
{
    if (!QDir().mkpath(path_)) {
        error = tr("%1: cannot make the folder").arg(path_);
        return false;
    }
    const QString sub = filePath(subfolder);
    struct stat info {};
    if (::lstat(encoded(sub).constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        error = S_ISLNK(info.st_mode) ? tr("%1 is a symbolic link; the export writes into real folders only").arg(sub)
                                      : tr("%1 exists and is not a folder").arg(sub);
        return false;
    }
    if (::mkdir(encoded(sub).constData(), 0777) != 0) {
        error = tr("%1: cannot make the folder: %2").arg(sub, OutputFiles::systemError(errno));
        return false;
    }
    return true;
}

bool OutputFolder::write(const QString& name, const QByteArray& bytes, QString& error) const
{
    return OutputFiles::write(filePath(name), bytes, replace_, error);
}

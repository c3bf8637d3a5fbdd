#include "tools/bankfile/NewExport.h"

#include "tools/bankfile/OutputFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString scratchPrefix = QStringLiteral(".quenhar-export.");
const QString picturesFolder = QStringLiteral("pictures");
const QString stashFolder = QStringLiteral("replaced");

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

bool exists(const QString& path)
{
    struct stat info {};
    return ::lstat(encoded(path).constData(), &info) == 0;
}

// A lock no other process holds, taken on a folder without waiting; -1
// when someone holds it (or the folder cannot be opened).
int lockFolder(const QString& path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// A file moved by putInPlace(), so that a failure can move it back.
struct Move
{
    QString from;
    QString to;
};

bool rename(const QString& from, const QString& to)
{
    return std::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

} // namespace

NewExport::NewExport(const QString& outDir, bool replace)
    : outDir_(outDir)
    , replace_(replace)
    , startedMs_(QDateTime::currentMSecsSinceEpoch())
{
}

NewExport::~NewExport()
{
    if (lock_ >= 0)
        ::close(lock_);
}

bool NewExport::isScratchName(const QString& name)
{
    static const QRegularExpression pattern(QRegularExpression::escape(scratchPrefix)
                                            + QStringLiteral("[A-Za-z0-9]{6}$"));
    return name.startsWith(scratchPrefix) && pattern.match(name).hasMatch();
}

QString NewExport::targetPath(const QString& name) const
{
    return QDir(outDir_).filePath(name);
}

QString NewExport::scratchPath(const QString& name) const
{
    return QDir(scratch_->path()).filePath(name);
}

QStringList NewExport::existing(const QStringList& names) const
{
    QStringList found;
    for (const QString& name : names)
        if (exists(targetPath(name)))
            found.append(targetPath(name));
    return found;
}

void NewExport::removeStaleFolders()
{
    const QDir folder(outDir_);
    const QStringList names = folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (!isScratchName(name))
            continue;
        const QString path = folder.filePath(name);
        struct stat info {};
        if (::lstat(encoded(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
            continue;
        const qint64 changedMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
        if (changedMs >= startedMs_)
            continue;
        const int lock = lockFolder(path);
        if (lock < 0)
            continue;
        if (QDir(path).removeRecursively())
            removed_.append(path);
        ::close(lock);
    }
}

bool NewExport::create(QString& error)
{
    if (!QDir().mkpath(outDir_)) {
        error = tr("%1: cannot make the folder").arg(outDir_);
        return false;
    }
    const QString pictures = targetPath(picturesFolder);
    struct stat info {};
    if (::lstat(encoded(pictures).constData(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        error = S_ISLNK(info.st_mode)
                  ? tr("%1 is a symbolic link; the export writes into real folders only").arg(pictures)
                  : tr("%1 exists and is not a folder").arg(pictures);
        return false;
    }
    removeStaleFolders();
    scratch_.emplace(QDir(outDir_).filePath(scratchPrefix + QStringLiteral("XXXXXX")));
    if (!scratch_->isValid()) {
        error = tr("%1: cannot write in this folder: %2").arg(outDir_, scratch_->errorString());
        return false;
    }
    lock_ = lockFolder(scratch_->path());
    if (lock_ < 0 || !QDir(scratch_->path()).mkdir(picturesFolder) || !QDir(scratch_->path()).mkdir(stashFolder)) {
        error = tr("%1: cannot write in this folder: %2").arg(outDir_, OutputFiles::systemError(errno));
        return false;
    }
    return true;
}

bool NewExport::write(const QString& name, const QByteArray& bytes, QString& error) const
{
    const QString path = scratchPath(name);
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    QString reason;
    const bool written = fd >= 0 && OutputFiles::writeAll(fd, bytes, reason)
                         && (::fsync(fd) == 0 || errno == EINVAL);
    const int failure = errno;
    if (fd >= 0)
        ::close(fd);
    if (!written)
        error = tr("%1: %2").arg(targetPath(name), reason.isEmpty() ? OutputFiles::systemError(failure) : reason);
    return written;
}

bool NewExport::putInPlace(const QStringList& files, QString& error)
{
    QList<Move> done;
    const auto undo = [&] {
        for (auto move = done.crbegin(); move != done.crend(); ++move)
            rename(move->to, move->from);
    };
    // Out of the way, into this run's folder; into place, never over
    // anything (what was there has gone out of the way).
    const auto move = [&](const QString& from, const QString& to) {
        if (rename(from, to)) {
            done.append({from, to});
            return true;
        }
        error = tr("%1: %2").arg(to, OutputFiles::systemError(errno));
        return false;
    };
    const auto place = [&](const QString& from, const QString& to) {
        if (!OutputFiles::place(from, to, false, error))
            return false;
        done.append({from, to});
        return true;
    };

    if (!exists(targetPath(picturesFolder)) && ::mkdir(encoded(targetPath(picturesFolder)).constData(), 0777) != 0) {
        error = tr("%1: cannot make the folder: %2").arg(targetPath(picturesFolder), OutputFiles::systemError(errno));
        return false;
    }
    if (!QDir(scratchPath(stashFolder)).mkdir(picturesFolder)) {
        error = tr("%1: cannot write in this folder").arg(outDir_);
        return false;
    }
    // The files in the order they go in; the earlier ones go out of the way
    // in the reverse order, the file naming the others first.
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        const QString target = targetPath(*file);
        if (!exists(target))
            continue;
        if (!replace_) {
            error = tr("%1 already exists; give --force to replace it").arg(target);
            undo();
            return false;
        }
        if (!move(target, QDir(scratchPath(stashFolder)).filePath(*file))) {
            undo();
            return false;
        }
    }
    for (const QString& file : files) {
        if (!place(scratchPath(file), targetPath(file))) {
            undo();
            return false;
        }
    }
    // The renames are lasting only once the folders holding them are.
    OutputFiles::syncFolder(targetPath(picturesFolder));
    OutputFiles::syncFolder(outDir_);
    return true;
}

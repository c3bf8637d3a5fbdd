#include "tools/bankfile/NewBankFile.h"

#include "tools/bankfile/BankLocks.h"
#include "tools/bankfile/OutputFiles.h"

#include "store/OpenFailure.h"
#include "store/SystemError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString temporaryTemplate(const QString& output)
{
    const QFileInfo info(output);
    return info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(info.fileName()));
}

// Whether no process holds a lock on the file: taking one without waiting
// succeeds only then. The lock is dropped again with the descriptor.
bool isUnlocked(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool unlocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return unlocked;
}

} // namespace

NewBankFile::NewBankFile(const QString& output)
    : output_(QFileInfo(output).absoluteFilePath())
    , temporary_(temporaryTemplate(output))
    , startedMs_(QDateTime::currentMSecsSinceEpoch())
{
}

NewBankFile::~NewBankFile()
{
    if (lock_ >= 0)
        ::close(lock_);
}

bool NewBankFile::isTemporaryNameFor(const QString& fileName, const QString& output)
{
    // QTemporaryFile puts six letters or digits in place of XXXXXX.
    static const QRegularExpression random(QStringLiteral("^[A-Za-z0-9]{6}$"));
    const QString prefix = QLatin1Char('.') + QFileInfo(output).fileName() + QLatin1Char('.');
    const QString suffix = QStringLiteral(".tmp");
    return fileName.size() == prefix.size() + 6 + suffix.size() && fileName.startsWith(prefix)
        && fileName.endsWith(suffix) && random.match(fileName.mid(prefix.size(), 6)).hasMatch();
}

void NewBankFile::removeStaleFiles()
{
    const QDir folder = QFileInfo(output_).absoluteDir();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!isTemporaryNameFor(name, output_))
            continue;
        const QString path = folder.filePath(name);
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::getuid())
            continue;
        // A run that started before this one may still be writing it: its
        // lock says so. One that has only just made its file (and may not
        // hold the lock yet) has not changed it before this run started.
        const qint64 changedMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
        if (changedMs >= startedMs_)
            continue;
        if (isUnlocked(path) && QFile::remove(path))
            removed_.append(path);
    }
}

bool NewBankFile::create()
{
    // Said of the output the user named, not of the temporary file SQLite
    // would then fail to open.
    error_ = OpenFailure::pathProblem(output_);
    if (!error_.isEmpty())
        return false;
    removeStaleFiles();
    if (!temporary_.open()) {
        error_ = SystemError::translated(temporary_.errorString());
        return false;
    }
    temporary_.close();
    lock_ = ::open(QFile::encodeName(temporary_.fileName()).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        error_ = OutputFiles::systemError(errno);
        return false;
    }
    return true;
}

bool NewBankFile::putInPlace(bool replace)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(temporary_.fileName()).constData(), 0666 & ~mask);
    if (replace && BankLocks::inUse(output_)) {
        error_ = tr("a program is using it now (reading or writing it); close that program and try again");
        return false;
    }
    if (!removeStaleJournals())
        return false;
    if (!OutputFiles::place(temporary_.fileName(), output_, replace, error_))
        return false;
    temporary_.setAutoRemove(false);
    return true;
}

bool NewBankFile::removeStaleJournals()
{
    // No program uses the bank being replaced, so a rollback journal, WAL
    // log or WAL index beside it is what a crash left of the old bank. Left
    // there, SQLite would apply it to the new bank on its next open: the old
    // bank's pages would be rolled into the new one. They go first, so that
    // the new bank never lies beside them.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString path = output_ + QLatin1String(suffix);
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            continue;
        if (::unlink(QFile::encodeName(path).constData()) != 0) {
            error_ = tr("%1, left by a program that stopped while writing the bank it replaces, cannot be removed "
                        "(%2); without that the new bank would be damaged on its first use")
                         .arg(path, OutputFiles::systemError(errno));
            return false;
        }
        journals_.append(path);
    }
    return true;
}

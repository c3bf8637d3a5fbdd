#include "tools/bankfile/NewBankFile.h"

#include "tools/bankfile/BankLocks.h"
#include "tools/bankfile/FileEntry.h"
#include "tools/bankfile/OutputFiles.h"
#include "tools/bankfile/SystemFiles.h"

#include "store/OpenFailure.h"
#include "store/RegularFile.h"
#include "store/SystemError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>

namespace {

QString temporaryTemplate(const QString& output)
{
    const QFileInfo info(output);
    return info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(info.fileName()));
}

} // namespace

NewBankFile::NewBankFile(const QString& output)
    : output_(QFileInfo(output).absoluteFilePath())
    , startedMs_(QDateTime::currentMSecsSinceEpoch())
{
}

NewBankFile::~NewBankFile()
{
    lock_.release();
    if (!temporaryPath_.isEmpty() && !placed_)
        QFile::remove(temporaryPath_);
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
        const FileEntry entry = FileEntry::at(path);
        if (entry.kind != FileEntry::Kind::File || !entry.ownedByUser)
            continue;
        // A run that started before this one may still be writing it: its
        // lock says so. One that has only just made its file (and may not
        // hold the lock yet) has not changed it before this run started.
        if (entry.changedMs >= startedMs_)
            continue;
        if (RunLock::isFree(path) && QFile::remove(path))
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
    {
        // QTemporaryFile makes the file under a new name, exclusively; it
        // is let go at once, as its close() keeps the file open, and on
        // Windows an open handle stops the rename into place.
        QTemporaryFile temporary(temporaryTemplate(output_));
        if (!temporary.open()) {
            error_ = SystemError::translated(temporary.errorString());
            return false;
        }
        temporary.setAutoRemove(false);
        temporaryPath_ = temporary.fileName();
    }
    if (!lock_.take(temporaryPath_)) {
        error_ = OutputFiles::systemError(errno);
        return false;
    }
    return true;
}

bool NewBankFile::putInPlace(bool replace)
{
    SystemFiles::giveUsualPermissions(temporaryPath_);
    if (replace && BankLocks::inUse(output_)) {
        error_ = tr("a program is using it now (reading or writing it); close that program and try again");
        return false;
    }
    if (!removeStaleJournals())
        return false;
    if (!OutputFiles::place(temporaryPath_, output_, replace, error_))
        return false;
    placed_ = true;
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
        if (!RegularFile::entryExists(path))
            continue;
        if (!SystemFiles::removeEntry(path)) {
            error_ = tr("%1, left by a program that stopped while writing the bank it replaces, cannot be removed "
                        "(%2); without that the new bank would be damaged on its first use")
                         .arg(path, OutputFiles::systemError(errno));
            return false;
        }
        journals_.append(path);
    }
    return true;
}

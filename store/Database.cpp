#include "store/Database.h"

#include "store/ConnectionHardening.h"
#include "store/ConnectionSettings.h"
#include "store/SqliteFailure.h"
#include "store/SqliteFileName.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_WIN
#include "store/WindowsFileIndex.h"
#endif

namespace {

// Every SQLite database file starts with these 16 bytes.
constexpr char sqliteMagic[] = "SQLite format 3";
constexpr qint64 sqliteHeaderSize = 100;

// Refuses anything that SQLite would silently treat as a new, empty database
// (a missing or empty file) and anything that is plainly not one, before
// SQLite touches it.
void checkIsSqliteFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(QCoreApplication::translate("Store", "'%1' does not exist").arg(path));
    if (!info.isFile())
        throw StoreError(QCoreApplication::translate("Store", "'%1' is not a file").arg(path));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QCoreApplication::translate("Store", "'%1' cannot be read: %2").arg(path, file.errorString()));
    const QByteArray header = file.read(sqliteHeaderSize);
    if (header.size() < sqliteHeaderSize || !header.startsWith(QByteArray(sqliteMagic, sizeof sqliteMagic)))
        throw StoreError(QCoreApplication::translate("Store", "'%1' is not an SQLite database").arg(path));
}

// A new bank is made only where no data can be lost: no file yet, or an
// empty one (a temporary file made for it).
void checkIsNewFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > 0))
        throw StoreError(QCoreApplication::translate("Store", "'%1' already exists").arg(path));
}

int openFlags(Database::Mode mode)
{
    switch (mode) {
    case Database::Mode::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case Database::Mode::ReadOnly:
        return SQLITE_OPEN_READONLY;
    case Database::Mode::NewFile:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return 0;
}

} // namespace

Database::Database(const QString& path, Mode mode)
    : path_(path)
    , readTimeLimitMs_(ConnectionSettings::readTimeLimitMs)
    , maxRowBytes_(ConnectionSettings::maxRowBytes)
    , writeTimeLimitMs_(ConnectionSettings::writeTimeLimitMs)
{
    if (mode == Mode::NewFile)
        checkIsNewFile(path);
    else
        checkIsSqliteFile(path);

    // SQLITE_OPEN_CREATE only for a new bank: an existing one that vanished
    // since the check is an error, never a new bank. A read-only file opens
    // read-only.
    const int rc = sqlite3_open_v2(sqliteFileName(path).constData(), &db_, openFlags(mode) | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = sqliteFailureText(db_, rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QCoreApplication::translate("Store", "'%1' cannot be opened: %2").arg(path, reason));
    }

    hardenConnection(db_);
    // Called every few thousand virtual-machine steps; cheap enough to leave
    // on for every statement.
    sqlite3_progress_handler(db_, 10000, &Database::onProgress, this);

    // Reading the schema proves that the file really is a database SQLite can
    // use (a damaged or encrypted file fails here, not at the first click).
    try {
        execute(QStringLiteral("select count(*) from sqlite_master"));
    } catch (const StoreError& error) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QCoreApplication::translate("Store", "'%1' cannot be opened: %2").arg(path, error.text()));
    }
    // By its absolute path: what a later check compares is the file opened
    // now, whatever the working directory is then.
    absolutePath_ = QFileInfo(path).absoluteFilePath();
    identity_ = identityOf(absolutePath_);
}

std::optional<Database::FileIdentity> Database::identityOf(const QString& path)
{
    FileIdentity identity;
#ifdef Q_OS_UNIX
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    identity.device = quint64(status.st_dev);
    identity.inode = quint64(status.st_ino);
#elif defined(Q_OS_WIN)
    const std::optional<WindowsFileIndex> file = windowsFileIndex(path);
    if (!file)
        return std::nullopt;
    identity.device = file->volume;
    identity.inode = file->index;
#else
#error "No way to tell one file from another on this system"
#endif
    return identity;
}

void Database::forgetCachedPages()
{
    sqlite3_db_release_memory(db_);
}

void Database::requireSameFile() const
{
    if (!identity_ || identityOf(absolutePath_) != identity_)
        throw StoreError(QCoreApplication::translate("Store", "The bank %1 was deleted or replaced by another file "
                                                              "while the program ran; nothing was written to it. "
                                                              "Start the program again to use the bank now there")
                             .arg(QFileInfo(path_).fileName()));
}

Database::~Database()
{
    sqlite3_close_v2(db_);
}

int Database::onProgress(void* database)
{
    return static_cast<Database*>(database)->deadline_.hasExpired() ? 1 : 0;
}

void Database::setReadLimits(int timeLimitMs, qint64 maxRowBytes)
{
    readTimeLimitMs_ = timeLimitMs;
    maxRowBytes_ = maxRowBytes;
}

Database::TimeLimit::TimeLimit(Database& db, int limitMs)
    : db_(db)
    , limitMs_(limitMs)
{
    db_.deadline_.setRemainingTime(limitMs);
}

Database::TimeLimit::~TimeLimit()
{
    db_.deadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
}

QString Database::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

void Database::execute(const QString& sql)
{
    const int code = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        throw StoreError(sqliteFailureText(db_, code));
}

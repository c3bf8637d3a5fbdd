#include "store/Database.h"

#include "store/ConnectionSettings.h"
#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

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
        throw StoreError(QStringLiteral("'%1' does not exist").arg(path));
    if (!info.isFile())
        throw StoreError(QStringLiteral("'%1' is not a file").arg(path));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("'%1' cannot be read: %2").arg(path, file.errorString()));
    const QByteArray header = file.read(sqliteHeaderSize);
    if (header.size() < sqliteHeaderSize || !header.startsWith(QByteArray(sqliteMagic, sizeof sqliteMagic)))
        throw StoreError(QStringLiteral("'%1' is not an SQLite database").arg(path));
}

// A new bank is made only where no data can be lost: no file yet, or an
// empty one (a temporary file made for it).
void checkIsNewFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > 0))
        throw StoreError(QStringLiteral("'%1' already exists").arg(path));
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
{
    if (mode == Mode::NewFile)
        checkIsNewFile(path);
    else
        checkIsSqliteFile(path);

    // SQLITE_OPEN_CREATE only for a new bank: an existing one that vanished
    // since the check is an error, never a new bank. A read-only file opens
    // read-only.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, openFlags(mode) | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QStringLiteral("'%1' cannot be opened: %2").arg(path, reason));
    }

    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, ConnectionSettings::busyTimeoutMs);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
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
        throw StoreError(QStringLiteral("'%1' cannot be opened: %2").arg(path, error.text()));
    }
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

Database::ReadTimeLimit::ReadTimeLimit(Database& db)
    : db_(db)
{
    db_.deadline_.setRemainingTime(db_.readTimeLimitMs_);
}

Database::ReadTimeLimit::~ReadTimeLimit()
{
    db_.deadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
}

QString Database::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

void Database::execute(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : lastError();
        sqlite3_free(message);
        throw StoreError(text);
    }
}

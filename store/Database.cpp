#include "store/Database.h"

#include "store/ConnectionHardening.h"
#include "store/OpenFailure.h"
#include "store/RegularFile.h"
#include "store/SqliteFailure.h"
#include "store/SqliteFileName.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr qint64 sqliteHeaderSize = 100;

// How often SQLite asks whether to go on, in steps of its virtual machine:
// every few thousand is cheap enough to leave on for every statement; a
// bank read unchanged is checked at every step, so that no single step can
// build much beyond the memory limit.
constexpr int progressSteps = 10000;

// The first bytes of an existing bank, refusing anything that SQLite would
// silently treat as a new, empty database (a missing or empty file) and
// anything that is plainly not one, before SQLite touches it. Only a
// regular file is read, so that a FIFO or a device never blocks the open.
QByteArray sqliteHeader(const QString& path)
{
    const RegularFile::Result header = RegularFile::readPrefix(path, sqliteHeaderSize);
    if (!header.bytes)
        throw StoreError(QCoreApplication::translate("Store", "'%1' %2").arg(path, header.error));
    // Every SQLite database file starts with these 16 bytes.
    if (header.bytes->size() < sqliteHeaderSize || !header.bytes->startsWith(QByteArray("SQLite format 3\0", 16)))
        throw StoreError(QCoreApplication::translate("Store", "'%1' is not an SQLite database").arg(path));
    return *header.bytes;
}

// A new bank is made only where no data can be lost: no file yet, or an
// empty one (a temporary file made for it).
void checkIsNewFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > 0))
        throw StoreError(QCoreApplication::translate("Store", "'%1' already exists").arg(path));
}

// Bytes 18 and 19 of the header: the file format's write and read versions,
// 2 for WAL mode.
bool isWalMode(const QByteArray& header)
{
    return header.at(18) == 2 && header.at(19) == 2;
}

qint64 fileSize(const QString& path)
{
    return RegularFile::isRegular(path) ? QFileInfo(path).size() : -1;
}

// The URI parameters that let SQLite read the bank without writing any of
// its files (see the class comment); empty when there are none.
QString unchangedParameters(const QString& path, const QByteArray& header)
{
    if (!isWalMode(header))
        return QStringLiteral("mode=ro");
    const QString log = path + QStringLiteral("-wal");
    if (!RegularFile::entryExists(log) || fileSize(log) == 0)
        return QStringLiteral("immutable=1");
    if (fileSize(log) > 0 && RegularFile::isRegular(path + QStringLiteral("-shm")))
        return QStringLiteral("mode=ro&readonly_shm=1");
    return {};
}

} // namespace

Database::Database(const QString& path, Mode mode)
    : Database(path, mode, Limits())
{
}

Database::Database(const QString& path, Mode mode, const Limits& limits)
    : path_(path)
    , absolutePath_(QFileInfo(path).absoluteFilePath())
    , mode_(mode)
    , limits_(limits)
{
    if (const QString problem = OpenFailure::pathProblem(path); !problem.isEmpty())
        throw StoreError(problem);
    switch (mode) {
    case Mode::ReadWrite:
        sqliteHeader(path);
        // No SQLITE_OPEN_CREATE: an existing bank that vanished since the
        // check is an error, never a new bank. A read-only file opens
        // read-only.
        open(sqliteFileName(path), SQLITE_OPEN_READWRITE);
        break;
    case Mode::Unchanged: {
        parameters_ = unchangedParameters(absolutePath_, sqliteHeader(path));
        if (parameters_.isEmpty())
            throw StoreError(QCoreApplication::translate("Store", "'%1' is in WAL mode and its log %2 has no index %3: reading the log would "
                                       "change the bank's files. Open the bank once with the program (which merges "
                                       "the log into the bank) and try again.")
                                 .arg(path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")));
        // A URI, so that the parameters apply; the path is percent-encoded,
        // as '?', '#' and '%' in a file name would otherwise be read as part
        // of it.
        open((QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(absolutePath_, "/"))
              + QLatin1Char('?') + parameters_)
                 .toUtf8(),
             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
        break;
    }
    case Mode::NewFile:
        checkIsNewFile(path);
        open(sqliteFileName(path), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        break;
    }
    // By its absolute path: what a later check compares is the file opened
    // now, whatever the working directory is then.
    identity_ = FileIdentity::of(absolutePath_);
}

void Database::open(const QByteArray& name, int flags)
{
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        hardenConnection(db_);
        if (mode_ == Mode::Unchanged)
            sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, int(qMin<qint64>(limits_.maxRowBytes, 0x7fffffff)));
        sqlite3_progress_handler(db_, mode_ == Mode::Unchanged ? 1 : progressSteps, &Database::onProgress, this);
    }
    try {
        if (rc != SQLITE_OK)
            throw StoreError(sqliteFailureText(db_, rc));
        // Reading the schema proves that the file really is a database
        // SQLite can use (a damaged or encrypted file fails here, not at the
        // first click).
        scalar(QStringLiteral("select count(*) from sqlite_master"));
    } catch (const StoreError& error) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QCoreApplication::translate("Store", "'%1' cannot be opened: %2").arg(path_, error.text()));
    }
}

void Database::forgetCachedPages()
{
    sqlite3_db_release_memory(db_);
}

void Database::requireSameFile() const
{
    if (!identity_.isSameFileAs(FileIdentity::of(absolutePath_)))
        throw StoreError(QCoreApplication::translate("Store", "The bank %1 was deleted or replaced by another file while the program ran; "
                                   "nothing was written to it. Start the program again to use the bank now there")
                             .arg(QFileInfo(path_).fileName()));
}

Database::~Database()
{
    sqlite3_close_v2(db_);
}

int Database::onProgress(void* database)
{
    auto* db = static_cast<Database*>(database);
    if (db->deadline_.hasExpired())
        db->stop_ = Stop::Time;
    else if (db->mode_ == Mode::Unchanged && sqlite3_memory_used() > db->limits_.maxMemoryBytes)
        db->stop_ = Stop::Memory;
    return db->stop_ == Stop::None ? 0 : 1;
}

void Database::setReadLimits(int timeLimitMs, qint64 maxReadBytes)
{
    limits_.timeLimitMs = timeLimitMs;
    limits_.maxReadBytes = maxReadBytes;
}

Database::TimeLimit::TimeLimit(Database& db, int limitMs)
    : db_(db)
    , limitMs_(limitMs)
{
    db_.stop_ = Stop::None;
    db_.deadline_.setRemainingTime(limitMs);
}

Database::TimeLimit::~TimeLimit()
{
    db_.deadline_ = QDeadlineTimer(QDeadlineTimer::Forever);
}

void Database::execute(const QString& sql)
{
    const int code = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        throw StoreError(sqliteFailureText(db_, code));
}

qint64 Database::scalar(const QString& sql)
{
    Rows rows(*this, sql);
    return rows.next() ? rows.row().columnInt64(0) : 0;
}

void Database::copyInto(Database& target)
{
    sqlite3_backup* backup = sqlite3_backup_init(target.db_, "main", db_, "main");
    if (!backup)
        throw StoreError(sqliteFailureText(target.db_, sqlite3_errcode(target.db_)));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw StoreError(sqliteFailureText(target.db_, stepped));
    if (finished != SQLITE_OK)
        throw StoreError(sqliteFailureText(target.db_, finished));
}

std::optional<Database::ValueStart> Database::readValueStart(const QString& table, const QString& column, qint64 rowid,
                                                             int bytes)
{
    sqlite3_blob* blob = nullptr;
    // Read-only (flags 0); opening fails for a missing row and for a value
    // that is neither text nor bytes, which is what "nothing" means here.
    if (sqlite3_blob_open(db_, "main", table.toUtf8().constData(), column.toUtf8().constData(), rowid, 0, &blob)
        != SQLITE_OK) {
        sqlite3_blob_close(blob);
        return std::nullopt;
    }
    ValueStart start;
    start.totalSize = sqlite3_blob_bytes(blob);
    start.bytes.resize(qsizetype(std::min<qint64>(bytes, start.totalSize)));
    const int code = sqlite3_blob_read(blob, start.bytes.data(), int(start.bytes.size()), 0);
    const QString failure = code == SQLITE_OK ? QString() : sqliteFailureText(db_, code);
    sqlite3_blob_close(blob);
    if (code != SQLITE_OK)
        throw StoreError(failure);
    return start;
}

Database::Rows::Rows(Database& db, const QString& sql)
    : db_(db)
    , sql_(sql)
    , statement_(db.db_, sql)
{
}

void Database::Rows::raise(const QString& reason) const
{
    throw StoreError(QCoreApplication::translate("Store", "%1 (while reading \"%2\")").arg(reason, sql_));
}

bool Database::Rows::next()
{
    const qint64 limitNs = qint64(db_.limits_.timeLimitMs) * 1000000;
    bool hasRow = false;
    {
        const TimeLimit timeLimit(db_, int(qMax<qint64>(0, limitNs - spentNs_) / 1000000));
        const auto stepStarted = std::chrono::steady_clock::now();
        try {
            hasRow = statement_.step();
        } catch (const StoreError& error) {
            switch (db_.stop_) {
            case Stop::Time:
                raise(QCoreApplication::translate("Store", "reading took longer than %1 s, the limit; the bank may be damaged, or a view in "
                                "it never ends")
                          .arg(db_.limits_.timeLimitMs / 1000.0));
            case Stop::Memory:
                raise(QCoreApplication::translate("Store", "reading needed more than %1 of memory, the limit; the bank may be damaged")
                          .arg(RegularFile::sizeText(db_.limits_.maxMemoryBytes)));
            case Stop::None:
                break;
            }
            if (sqlite3_errcode(db_.db_) == SQLITE_TOOBIG)
                raise(QCoreApplication::translate("Store", "a value is larger than %1, the limit for one row; the bank may be damaged")
                          .arg(RegularFile::sizeText(db_.limits_.maxRowBytes)));
            raise(error.text());
        }
        spentNs_ += std::chrono::nanoseconds(std::chrono::steady_clock::now() - stepStarted).count();
    }
    if (!hasRow)
        return false;

    qint64 bytes = 0;
    for (int i = 0; i < statement_.columnCount(); ++i) {
        // Only text and byte values have a size; asking a number's size
        // would turn it into text.
        const Statement::ColumnType type = statement_.columnType(i);
        if (type == Statement::ColumnType::Text)
            bytes += statement_.columnText(i).size();
        else if (type == Statement::ColumnType::Blob)
            bytes += statement_.columnBlob(i).size();
    }
    if (bytes > db_.limits_.maxRowBytes)
        raise(QCoreApplication::translate("Store", "a row holds more than %1, the limit for one row; the bank may be damaged")
                  .arg(RegularFile::sizeText(db_.limits_.maxRowBytes)));
    return true;
}

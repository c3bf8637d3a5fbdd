#pragma once

#include "store/ConnectionSettings.h"
#include "store/FileIdentity.h"
#include "store/Statement.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

struct sqlite3;

// One open connection to a question bank, in one of three modes: the
// program's, which reads and writes an existing bank; the bank tool's
// reading, which changes none of the bank's files; and the bank tool's
// making of a new bank.
//
// Opening an existing bank never creates, changes or locks out the file: a
// missing path, a folder, a FIFO or device, an unreadable or empty file, or
// a file that is not an SQLite database all raise StoreError, without
// blocking, and leave the file system as it was. Only the bank tool makes
// new banks, and says so (Mode::NewFile).
//
// Opening read-only is not enough for SQLite to leave a bank in WAL mode
// alone: every reader writes its read marks into the -shm index, and makes
// the -wal and -shm files when they are missing. So Mode::Unchanged opens
// the bank by a URI whose parameters say what SQLite may do:
//   - a bank in rollback-journal mode: mode=ro;
//   - a WAL bank with both its -wal and -shm: mode=ro&readonly_shm=1, which
//     reads the index without writing to it (the log's rows are read);
//   - a WAL bank without a log, or with an empty one: immutable=1, which
//     reads the main file alone and takes no lock, as there is nothing else
//     to read (nolock=1 is refused by SQLite for a WAL bank);
//   - a WAL bank whose log has no index: refused, as reading the log needs
//     an index that SQLite would have to write, and immutable=1 would read
//     the bank as it was before the log's rows.
//
// Every connection has the settings of every connection to a bank
// (hardenConnection), and its work is bounded by the time limits below
// (TimeLimit); a Mode::Unchanged connection also bounds SQLite's memory and
// the length of a value. Every error names the bank and is translated with
// the store's other messages.
class Database
{
public:
    enum class Mode {
        ReadWrite, // an existing bank; a read-only file opens read-only
        Unchanged, // an existing bank, read so that none of its files changes
        NewFile,   // a new bank in a file that does not exist yet or is empty
    };

    struct Limits
    {
        // SQLite's own work on reading one statement's rows: a view that
        // never ends is stopped. (Rows counts only SQLite's steps, not the
        // caller's work on the rows.)
        int timeLimitMs = ConnectionSettings::readTimeLimitMs;
        // One row's text and byte values, summed, as Rows reads them; in
        // Mode::Unchanged also the longest single value SQLite will make
        // (SQLITE_LIMIT_LENGTH), so that a row is refused before it is built.
        qint64 maxRowBytes = ConnectionSettings::maxRowBytes;
        // What SQLite may hold in memory while it works (Mode::Unchanged),
        // checked between every two steps of its virtual machine.
        qint64 maxMemoryBytes = ConnectionSettings::maxMemoryBytes;
        // All the rows of one record set.
        qint64 maxReadBytes = ConnectionSettings::maxReadBytes;
        // The deadline of one write, after waiting for the lock.
        int writeTimeLimitMs = ConnectionSettings::writeTimeLimitMs;
    };

    explicit Database(const QString& path, Mode mode = Mode::ReadWrite);
    Database(const QString& path, Mode mode, const Limits& limits);
    ~Database();

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const noexcept { return db_; }
    const QString& path() const noexcept { return path_; }
    const Limits& limits() const noexcept { return limits_; }
    // The URI parameters a Mode::Unchanged bank was opened with ("mode=ro",
    // ...); empty in the other modes.
    const QString& openParameters() const noexcept { return parameters_; }

    // Runs a statement that returns no rows (BEGIN, COMMIT, ...).
    void execute(const QString& sql);

    // Raises StoreError when the file at the bank's path is no longer the
    // file that was opened: deleted, or replaced by another (a copy renamed
    // over it). Writing then would write into a file nobody sees any more.
    void requireSameFile() const;

    // Forgets the pages SQLite keeps of the file, so that the next read
    // comes from the disk. SQLite trusts its copy while the file's change
    // counter is unchanged, and a bank copied over the open one in place can
    // carry the same counter: a write must never be built on pages of a file
    // that is no longer there.
    void forgetCachedPages();

    // Bounds the work of reading a record set's rows, in time and in bytes
    // held (tests make them small).
    void setReadLimits(int timeLimitMs, qint64 maxReadBytes);
    void setWriteTimeLimit(int timeLimitMs) { limits_.writeTimeLimitMs = timeLimitMs; }

    // While it lives, every statement of the connection is interrupted once
    // `limitMs` have passed.
    class TimeLimit
    {
    public:
        TimeLimit(Database& db, int limitMs);
        ~TimeLimit();
        TimeLimit(const TimeLimit&) = delete;
        TimeLimit& operator=(const TimeLimit&) = delete;

        bool hasExpired() const { return db_.deadline_.hasExpired(); }
        int limitMs() const { return limitMs_; }

    private:
        Database& db_;
        int limitMs_;
    };

    // The time limit of reading rows.
    class ReadTimeLimit : public TimeLimit
    {
    public:
        explicit ReadTimeLimit(Database& db)
            : TimeLimit(db, db.limits_.timeLimitMs)
        {
        }
    };

    // The time limit of one write.
    class WriteTimeLimit : public TimeLimit
    {
    public:
        explicit WriteTimeLimit(Database& db)
            : TimeLimit(db, db.limits_.writeTimeLimitMs)
        {
        }
    };

    // One statement's rows, read one at a time within the connection's
    // limits: SQLite's time on the statement, summed over its steps, and
    // each row's size. Every failure raises StoreError; one that a limit
    // caused says which limit, with the statement.
    class Rows
    {
    public:
        Rows(Database& db, const QString& sql);

        // Moves to the next row; false when there is none.
        bool next();
        const Statement& row() const { return statement_; }

    private:
        [[noreturn]] void raise(const QString& reason) const;

        Database& db_;
        QString sql_;
        Statement statement_;
        qint64 spentNs_ = 0;
    };

    // The first column of the first row of `sql` (a count), read within the
    // limits; 0 when there is no row.
    qint64 scalar(const QString& sql);

    // Copies the bank as this connection reads it, whole and consistent
    // (SQLite's online backup, which reads under the bank's shared lock),
    // into `target`, a connection to a new file. Raises StoreError when the
    // copy fails; the target is then incomplete.
    void copyInto(Database& target);

    // The start of one value, read without the rest: at most `bytes` bytes
    // of `column` in the row `rowid` of `table`, and the whole value's
    // length. SQLite reads only the pages that hold them, so that a header
    // of a large value costs one page. Nothing when that row has no text or
    // byte value there (no such row, or a null or number).
    struct ValueStart
    {
        QByteArray bytes;
        qint64 totalSize = 0;
    };
    std::optional<ValueStart> readValueStart(const QString& table, const QString& column, qint64 rowid, int bytes);

private:
    static int onProgress(void* database);
    void open(const QByteArray& name, int flags);

    // Why the last statement was interrupted.
    enum class Stop { None, Time, Memory };

    QString path_;
    QString absolutePath_;
    Mode mode_;
    Limits limits_;
    QString parameters_;
    sqlite3* db_ = nullptr;
    FileIdentity identity_; // the file opened, by its absolute path
    QDeadlineTimer deadline_{QDeadlineTimer::Forever};
    Stop stop_ = Stop::None;
};

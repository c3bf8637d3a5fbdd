#pragma once

#include "store/ConnectionSettings.h"
#include "store/Statement.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QString>

#include <optional>

struct sqlite3;

// An existing bank opened for reading only, in a way that changes none of
// its files, and whose reads are bounded in time and memory: what the bank
// tool's check, stats and export need. (The program itself opens banks with
// Database, which may write: a bank is shared, and the reference texts are
// edited in it.)
//
// Opening read-only is not enough for SQLite to leave a bank in WAL mode
// alone: every reader writes its read marks into the -shm index, and makes
// the -wal and -shm files when they are missing. So the bank is opened by a
// URI whose parameters say what SQLite may do:
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
// The connection has the settings of every connection to a bank
// (hardenConnection). Every statement runs
// through Rows, which bounds it (see Limits).
class ReadOnlyBank
{
    Q_DECLARE_TR_FUNCTIONS(ReadOnlyBank)

public:
    struct Limits
    {
        // SQLite's own work on one statement, summed over its steps: a view
        // that never ends is stopped. The tool's own work on the rows
        // (decoding pictures) does not count.
        int timeLimitMs = ConnectionSettings::readTimeLimitMs;
        // One row's text and byte values, summed; also the longest single
        // value SQLite will make (SQLITE_LIMIT_LENGTH), so that a row is
        // refused before it is built whatever its width.
        qint64 maxRowBytes = 256 * 1024 * 1024;
        // What SQLite may hold in memory while it works, checked between
        // every two steps of its virtual machine.
        qint64 maxMemoryBytes = qint64(1) << 30;
    };

    explicit ReadOnlyBank(const QString& path);
    ReadOnlyBank(const QString& path, const Limits& limits);
    ~ReadOnlyBank();

    ReadOnlyBank(const ReadOnlyBank&) = delete;
    ReadOnlyBank& operator=(const ReadOnlyBank&) = delete;

    const QString& path() const { return path_; }
    const Limits& limits() const { return limits_; }
    // The URI parameters the bank was opened with ("mode=ro", ...).
    const QString& openParameters() const { return parameters_; }

    // One statement's rows, read within the bank's limits. Every failure
    // raises StoreError; one that a limit caused says which limit, with the
    // statement's table or view when known.
    class Rows
    {
    public:
        Rows(ReadOnlyBank& bank, const QString& sql);

        // Moves to the next row; false when there is none.
        bool next();
        const Statement& row() const { return statement_; }

    private:
        [[noreturn]] void raise(const QString& reason) const;

        ReadOnlyBank& bank_;
        QString sql_;
        Statement statement_;
        qint64 spentNs_ = 0;
    };

    // The first column of the first row of `sql` (a count), read within the
    // limits; 0 when there is no row.
    qint64 scalar(const QString& sql);

private:
    static int onProgress(void* bank);
    void open(const QString& uri);

    QString path_;
    Limits limits_;
    QString parameters_;
    sqlite3* db_ = nullptr;
    QDeadlineTimer deadline_{QDeadlineTimer::Forever};
    enum class Stop { None, Time, Memory } stop_ = Stop::None;
};

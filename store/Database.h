#pragma once

#include <QDeadlineTimer>
#include <QString>

struct sqlite3;

// One open connection to a question bank.
//
// Opening an existing bank never creates, changes or locks out the file: a
// missing path, a folder, an unreadable or empty file, or a file that is not
// an SQLite database all raise StoreError and leave the file system as it
// was. Only the bank tool makes new banks, and says so (Mode::NewFile). The
// bank is an untrusted file, so the connection runs with SQLite's defensive
// settings (no schema-defined functions with side effects, no writes to the
// schema through pragmas).
class Database
{
public:
    enum class Mode {
        ReadWrite, // an existing bank; a read-only file opens read-only
        ReadOnly,  // an existing bank, never written
        NewFile,   // a new bank in a file that does not exist yet or is empty
    };

    explicit Database(const QString& path, Mode mode = Mode::ReadWrite);
    ~Database();

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const noexcept { return db_; }
    const QString& path() const noexcept { return path_; }

    // The text of the connection's most recent error.
    QString lastError() const;

    // Runs a statement that returns no rows (BEGIN, COMMIT, ...).
    void execute(const QString& sql);

    // Bounds the work of reading rows, both in time and in bytes held
    // (ConnectionSettings by default; tests make them small).
    void setReadLimits(int timeLimitMs, qint64 maxRowBytes);
    qint64 maxRowBytes() const noexcept { return maxRowBytes_; }

    // While it lives, every statement of the connection is interrupted once
    // the connection's read time limit has passed.
    class ReadTimeLimit
    {
    public:
        explicit ReadTimeLimit(Database& db);
        ~ReadTimeLimit();
        ReadTimeLimit(const ReadTimeLimit&) = delete;
        ReadTimeLimit& operator=(const ReadTimeLimit&) = delete;

        bool hasExpired() const { return db_.deadline_.hasExpired(); }
        int limitMs() const { return db_.readTimeLimitMs_; }

    private:
        Database& db_;
    };

private:
    static int onProgress(void* database);

    QString path_;
    sqlite3* db_ = nullptr;
    int readTimeLimitMs_;
    qint64 maxRowBytes_;
    QDeadlineTimer deadline_{QDeadlineTimer::Forever};
};

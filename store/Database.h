#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <optional>

struct sqlite3;

// One open connection to a question bank.
//
// Opening an existing bank never creates, changes or locks out the file: a
// missing path, a folder, an unreadable or empty file, or a file that is not
// an SQLite database all raise StoreError and leave the file system as it
// was. Only the bank tool makes new banks, and says so (Mode::NewFile).
//
// The bank is an untrusted file, so the connection runs with SQLite's
// defensive settings: no schema-defined functions with side effects, no
// writes to the schema through pragmas, and no triggers, so that a trigger
// hidden in a bank can neither loop for ever nor change other rows when the
// program writes one.
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

    // Bounds the work of reading rows, both in time and in bytes held
    // (ConnectionSettings by default; tests make them small).
    void setReadLimits(int timeLimitMs, qint64 maxRowBytes);
    qint64 maxRowBytes() const noexcept { return maxRowBytes_; }
    // The deadline of one write (ConnectionSettings by default).
    void setWriteTimeLimit(int timeLimitMs) { writeTimeLimitMs_ = timeLimitMs; }

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
            : TimeLimit(db, db.readTimeLimitMs_)
        {
        }
    };

    // The time limit of one write.
    class WriteTimeLimit : public TimeLimit
    {
    public:
        explicit WriteTimeLimit(Database& db)
            : TimeLimit(db, db.writeTimeLimitMs_)
        {
        }
    };

private:
    // What tells one file from another at the same path.
    struct FileIdentity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    static std::optional<FileIdentity> identityOf(const QString& path);
    static int onProgress(void* database);

    QString path_;
    QString absolutePath_;
    sqlite3* db_ = nullptr;
    std::optional<FileIdentity> identity_;
    int readTimeLimitMs_;
    qint64 maxRowBytes_;
    int writeTimeLimitMs_;
    QDeadlineTimer deadline_{QDeadlineTimer::Forever};
};

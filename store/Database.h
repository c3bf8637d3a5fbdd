#pragma once

#include <QString>

struct sqlite3;

// One open connection to an existing question bank.
//
// Opening never creates, changes or locks out the file: a missing path, a
// folder, an unreadable or empty file, or a file that is not an SQLite
// database all raise StoreError and leave the file system as it was. The bank
// is an untrusted file, so the connection runs with SQLite's defensive
// settings (no schema-defined functions with side effects, no writes to the
// schema through pragmas).
class Database
{
public:
    explicit Database(const QString& path);
    ~Database();

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const noexcept { return db_; }
    const QString& path() const noexcept { return path_; }

    // The text of the connection's most recent error.
    QString lastError() const;

    // Runs a statement that returns no rows (BEGIN, COMMIT, ...).
    void execute(const QString& sql);

private:
    QString path_;
    sqlite3* db_ = nullptr;
};

#pragma once

class Database;

// A write transaction, rolled back on destruction unless committed.
//
// It begins with BEGIN IMMEDIATE: the write lock is taken at once (waiting
// up to the busy timeout for another program's write), so a transaction that
// reads before it writes cannot fail half-way with "database is locked".
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();

    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& db_;
    bool open_ = true;
};

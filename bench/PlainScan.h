#pragma once

#include <QtGlobal>

#include <initializer_list>

struct sqlite3;

// The limit a record set is measured against: a plain SQLite loop that
// steps a statement's rows and reads each column once, keeping nothing.
struct PlainScan
{
    qint64 rows = 0;
    // What the values take at their smallest: the bytes of each text, and 8
    // for each number.
    qint64 valueBytes = 0;

    // Runs `sql` with integer parameters bound in order. Raises StoreError.
    static PlainScan run(sqlite3* db, const char* sql, std::initializer_list<qint64> parameters = {});
};

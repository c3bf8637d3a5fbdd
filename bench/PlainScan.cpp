#include "bench/PlainScan.h"

#include "store/StoreError.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>

PlainScan PlainScan::run(sqlite3* db, const char* sql, std::initializer_list<qint64> parameters)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    int index = 1;
    for (const qint64 parameter : parameters)
        sqlite3_bind_int64(stmt, index++, parameter);

    PlainScan scan;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++scan.rows;
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(stmt, i));
                scan.valueBytes += 8;
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(stmt, i));
                scan.valueBytes += 8;
                break;
            case SQLITE_TEXT:
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, i));
                scan.valueBytes += sqlite3_column_bytes(stmt, i);
                break;
            case SQLITE_BLOB:
                benchmark::DoNotOptimize(sqlite3_column_blob(stmt, i));
                scan.valueBytes += sqlite3_column_bytes(stmt, i);
                break;
            default:
                break;
            }
        }
    }
    const int rc = sqlite3_finalize(stmt);
    if (rc != SQLITE_OK)
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
    return scan;
}

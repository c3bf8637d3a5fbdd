#pragma once

#include <QString>

#include <optional>

class Database;

// A "select * from <table> ..." statement rewritten so that stepping its rows
// never reads a byte value (a picture): each such value comes back as an
// empty blob, marking a value to be read later by the row's rowid. Stepping
// a bank whose questions carry 100 KB pictures then costs what its small
// fields cost.
struct DeferredBlobQuery
{
    QString sql;       // first column: the rowid; then the table's columns, by name
    QString table;     // the table that deferred values are read from
    QString rowIdName; // rowid, _rowid_ or oid: whichever no column shadows

    // The rewrite of `sql`, or nothing when it is not a plain select of one
    // table's columns (then the statement runs as written).
    static std::optional<DeferredBlobQuery> rewrite(Database& db, const QString& sql);

    // Reads one deferred value of this query's table.
    QByteArray readValue(Database& db, const QString& column, qint64 rowId) const;
};

// Quotes an identifier for SQL text.
QString quotedIdentifier(const QString& name);

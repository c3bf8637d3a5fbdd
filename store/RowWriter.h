#pragma once

#include "store/DeferredBlobQuery.h"
#include "store/RowCache.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// Writes a record set's rows back to their table, by rowid, and reads a row
// back as the file holds it: what the record set's post, delete and "take
// the stored version" do in the file. Each write runs in one transaction
// (BEGIN IMMEDIATE, so that it waits for another program's write to
// finish), within the write time limit, is built on the file as it is now,
// and goes only into the file that was opened; a write that fails leaves
// the file as it was.
class RowWriter
{
public:
    // `table` names the table and its rowid; `fieldNames` are the set's
    // columns, which the table must still have.
    RowWriter(Database& db, const DeferredBlobQuery& table, const QStringList& fieldNames);

    // The row as the file holds it now, defaults and conversions included;
    // nothing when there is no such row.
    std::optional<RowCache> read(qint64 rowId) const;

    // Writes `changes` (column -> typed value) over row `row` of `rows`, the
    // record as it was read, and gives the row as written. With
    // `requireUnchanged`, a record that another program changed since it
    // was read raises RowChangedElsewhere, one it deleted StoreError, and
    // nothing is written.
    RowCache update(const RowCache& rows, int row, const QMap<int, QString>& changes, bool requireUnchanged);
    // Writes a new row of `changes` and gives it as written.
    RowCache insert(const QMap<int, QString>& changes);
    // Deletes row `row` of `rows` from the file, unless another program
    // changed it since it was read (StoreError). One it deleted already is
    // simply gone.
    void remove(const RowCache& rows, int row);

private:
    qint64 updateRow(qint64 rowId, const QMap<int, QString>& changes);
    qint64 insertRow(const QMap<int, QString>& changes);
    RowCache readWritten(qint64 rowId) const;

    Database& db_;
    const DeferredBlobQuery& table_;
    const QStringList& fieldNames_;
};

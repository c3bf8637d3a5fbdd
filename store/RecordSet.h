#pragma once

#include "store/DeferredBlobQuery.h"
#include "store/FieldValue.h"
#include "store/RowCache.h"
#include "store/RowWriter.h"
#include "store/StoreError.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// A statement with named text parameters and a current record: a client-side
// snapshot of the statement's rows, taken when it opens. Rows do not change
// under an open set; byte values (pictures) are read from the file only when
// the current record's value is asked for.
//
// Movement follows the classic data-set rules: after opening, the first
// record is current and BOF is set; Next past the last record keeps it
// current and sets EOF; Prior mirrors that with BOF.
//
// Editing follows the same rules. Edit or Insert make the current record
// (or a new, empty one put in before it) editable; typed values are held in
// the set until Post writes them to the file in one transaction and puts the
// written row into the snapshot. Moving to another record, inserting or
// refreshing posts a held change first, and drops an edit that changed
// nothing. Rows are identified by their rowid (an INTEGER PRIMARY KEY is the
// rowid under another name), so only a "select * from <table>" statement of
// a table with rowids can be edited.
//
// Every misuse (a closed set, an unknown field, a record number out of range,
// a statement SQLite rejects) raises StoreError. An operation that raises
// leaves the set as it was: a change that could not be posted is still held.
//
// The set keeps the snapshot, the current record and the held change; a
// RowWriter writes a change or a deletion back to the file.
class RecordSet
{
public:
    enum class State { Closed, Browsing, Editing, Inserting };

    explicit RecordSet(Database& db);

    // Setting the statement closes a browsing set and forgets the parameters.
    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }
    // `name` with or without its leading colon.
    void setParameter(const QString& name, const QString& value);

    // Runs the statement. Opening an open set does nothing.
    void open();
    // Closing drops a change not posted: post it first to keep it.
    void close();

    State state() const { return state_; }
    bool isOpen() const { return state_ != State::Closed; }
    bool isBrowsing() const { return state_ == State::Browsing; }
    // Editing or inserting: the current record may hold a change not posted.
    bool isEditing() const { return state_ == State::Editing || state_ == State::Inserting; }

    bool bof() const;
    bool eof() const;
    void next();
    void prior();

    // 1-based position of the current record; -1 when the set is empty.
    int recNo() const;
    // Moves to record `number` (1 to recordCount()) and clears both flags;
    // the current number changes nothing, flags included. Numbers count the
    // records as they are when called, a new record being inserted included.
    void setRecNo(int number);
    int recordCount() const;

    QStringList fieldNames() const;
    bool hasField(const QString& field) const;

    // A field of the current record; a null value or no current record gives
    // "" or 0. Field names are matched without regard to case.
    QString fieldAsString(const QString& field) const;
    int fieldAsInteger(const QString& field) const;
    QByteArray fieldAsBytes(const QString& field) const;
    // A field of record `number` (1 to recordCount()), as text.
    QString fieldAsString(int number, const QString& field) const;

    // Whether the rows can be written: an open set of one table's rows, each
    // with its rowid.
    bool canModify() const;

    // Makes the current record editable; on an empty set, inserts. Nothing
    // happens while editing or inserting.
    void edit();
    // Posts a held change, then starts a new record of null values before
    // the current one (the first record of an empty set).
    void insert();
    // Holds a typed value for a field of the record being edited.
    void setFieldValue(const QString& field, const QString& value);
    // Whether the record being edited holds a typed value.
    bool isModified() const { return isEditing() && !changes_.isEmpty(); }
    // Writes the held change in one transaction (BEGIN IMMEDIATE, so that
    // it waits for another program's write to finish), within the write
    // time limit, and only into the file that was opened. An edited record
    // is written only if the file still holds it as it was read: one that
    // another program changed meanwhile raises RowChangedElsewhere, one it
    // deleted raises StoreError; either way nothing is written and the
    // change stays held.
    void post();
    // Writes the held change over whatever the file holds now: the user
    // chose their text over another program's.
    void postOverwriting();
    // Drops the held change of an edited record and shows the record as the
    // file holds it now (gone, if another program deleted it).
    void takeStoredVersion();
    // Drops the held change; a record being inserted disappears.
    void cancel();
    // Posts a modified record and cancels an unmodified one.
    void checkBrowseMode();
    // Deletes the current record from the file, dropping a held change; a
    // record being inserted is cancelled instead. A record another program
    // changed since it was read is not deleted (StoreError).
    void deleteCurrent();
    // Posts a held change, then reads the rows from the file again, staying
    // on the same record when it still exists.
    void refresh();

private:
    void requireOpen() const;
    void requireModifiable() const;
    void requireEditing() const;
    void requireRecordNumber(int number) const;
    int fieldIndex(const QString& field) const;
    bool hasCurrent() const { return current_ >= 0; }
    void load();
    void leaveEditing();
    // Takes the current row out of the rows, the next one (or the last)
    // becoming current.
    void removeCurrentRow();

    // Values of a row, with a held change of the current record in place.
    const QString* changedValue(int row, int column) const;
    // A cell's value; `holder` keeps the bytes of a value that is not in
    // the cache (a typed value, a deferred byte value) alive.
    FieldValue valueAt(int row, int column, QByteArray& holder) const;
    QString stringAt(int row, int column) const;
    QByteArray bytesAt(int row, int column) const;

    enum class Write { IfUnchanged, Overwriting };
    void write(Write how);
    RowWriter rowWriter() const { return RowWriter(db_, *deferred_, fieldNames_); }

    Database& db_;
    QString sql_;
    QHash<QString, QString> parameters_;

    State state_ = State::Closed;
    RowCache rows_;
    QStringList fieldNames_;
    QHash<QString, int> fieldIndexes_; // lower-case name -> column
    std::optional<DeferredBlobQuery> deferred_;
    int current_ = -1; // 0-based row, -1 when empty
    QMap<int, QString> changes_; // column -> typed value, while editing
    bool bof_ = true;
    bool eof_ = true;
};

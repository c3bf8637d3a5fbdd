#pragma once

#include "store/DeferredBlobQuery.h"
#include "store/RowCache.h"

#include <QByteArray>
#include <QHash>
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
// Every misuse (a closed set, an unknown field, a record number out of range,
// a statement SQLite rejects) raises StoreError, prefixed with the set's name.
class RecordSet
{
public:
    enum class State { Closed, Browsing };

    RecordSet(Database& db, const QString& name);

    const QString& name() const { return name_; }

    // Setting the statement closes a browsing set and forgets the parameters.
    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }
    // `name` with or without its leading colon.
    void setParameter(const QString& name, const QString& value);

    // Runs the statement. Opening a browsing set does nothing.
    void open();
    void close();

    State state() const { return state_; }
    bool isBrowsing() const { return state_ == State::Browsing; }

    bool bof() const;
    bool eof() const;
    void next();
    void prior();

    // 1-based position of the current record; -1 when the set is empty.
    int recNo() const;
    // Moves to record `number` (1 to recordCount()) and clears both flags;
    // the current number changes nothing, flags included.
    void setRecNo(int number);
    int recordCount() const;

    QStringList fieldNames() const;
    bool hasField(const QString& field) const;

    // A field of the current record; a null value or no current record gives
    // "" or 0. Field names are matched without regard to case.
    QString fieldAsString(const QString& field) const;
    int fieldAsInteger(const QString& field) const;
    QByteArray fieldAsBytes(const QString& field) const;

private:
    [[noreturn]] void raise(const QString& text) const;
    void requireOpen() const;
    int fieldIndex(const QString& field) const;
    bool hasCurrent() const { return current_ >= 0; }
    void load();

    Database& db_;
    QString name_;
    QString sql_;
    QHash<QString, QString> parameters_;

    State state_ = State::Closed;
    RowCache rows_;
    QStringList fieldNames_;
    QHash<QString, int> fieldIndexes_; // lower-case name -> column
    std::optional<DeferredBlobQuery> deferred_;
    int current_ = -1; // 0-based row, -1 when empty
    bool bof_ = true;
    bool eof_ = true;
};

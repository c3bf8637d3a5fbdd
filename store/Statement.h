#pragma once

#include "store/FieldValue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement, finalized when it goes out of scope. Keeping a
// statement's life short matters: an unfinished read holds a shared lock on
// the file that other programs' writes must wait for. A statement that
// writes many rows is prepared once and run once per row (execute()).
//
// Every bind and step that SQLite refuses (a value too big, a constraint)
// raises StoreError with SQLite's reason.
class Statement
{
public:
    using ColumnType = FieldValue::Kind;

    Statement(sqlite3* db, const QString& sql);
    ~Statement();

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds a text value to a named parameter (":Num"); a name the statement
    // does not use is ignored.
    void bindText(const QString& name, const QString& value);
    void bindInt64(int index, qint64 value);
    void bindReal(int index, double value);
    void bindNull(int index);
    void bindText(int index, const QString& value);
    // Nothing binds null; an empty value is bound as an empty byte value, not
    // as null, so that the two stay apart.
    void bindBytes(int index, const std::optional<QByteArray>& value);

    int parameterCount() const;
    QString parameterName(int index) const;

    // Moves to the next row; false when there is none.
    bool step();
    // Runs a statement that returns no rows to its end, then makes it ready
    // to run again with new values (every parameter null until bound).
    void execute();

    int columnCount() const;
    QString columnName(int column) const;
    ColumnType columnType(int column) const;
    qint64 columnInt64(int column) const;
    double columnDouble(int column) const;
    // The column's value as UTF-8 text, or as raw bytes. Both views stay
    // valid until the next step.
    QByteArrayView columnText(int column) const;
    QByteArrayView columnBlob(int column) const;
    // The column's value as it is stored; valid until the next step.
    FieldValue value(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

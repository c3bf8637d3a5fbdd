#pragma once

#include <QByteArrayView>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement, finalized when it goes out of scope. Keeping a
// statement's life short matters: an unfinished read holds a shared lock on
// the file that other programs' writes must wait for.
class Statement
{
public:
    enum class ColumnType { Integer, Real, Text, Blob, Null };

    Statement(sqlite3* db, const QString& sql);
    ~Statement();

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds a text value to a named parameter (":Num"); a name the statement
    // does not use is ignored.
    void bindText(const QString& name, const QString& value);
    void bindInt64(int index, qint64 value);
    void bindNull(int index);
    void bindText(int index, const QString& value);

    int parameterCount() const;
    QString parameterName(int index) const;

    // Moves to the next row; false when there is none.
    bool step();

    int columnCount() const;
    QString columnName(int column) const;
    ColumnType columnType(int column) const;
    qint64 columnInt64(int column) const;
    double columnDouble(int column) const;
    // The column's value as UTF-8 text, or as raw bytes. Both views stay
    // valid until the next step.
    QByteArrayView columnText(int column) const;
    QByteArrayView columnBlob(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

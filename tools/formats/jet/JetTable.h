#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <variant>

// One table of a Jet database as the importer carries it over: its name, its
// columns and, row by row, their values in the kinds SQLite stores.
namespace Jet {

// What a column's values become in the bank. Columns of a kind SQLite has no
// place for (attachments, multi-value fields) are Unsupported: their values
// are not read and the report names them.
enum class ColumnKind : quint8 { Integer, Real, Text, Bytes, Unsupported };

struct Column
{
    QString name;
    ColumnKind kind = ColumnKind::Unsupported;
    QString typeName; // the Jet type as Access names it ("Long Integer", "Memo", ...), for the report
};

struct Table
{
    QString name;
    QList<Column> columns;
};

// A value: null, integer, real, text or bytes. Text and bytes stay apart
// from null even when empty.
using Value = std::variant<std::monostate, qint64, double, QString, QByteArray>;
using Row = QList<Value>;

// Receives a Jet database's user tables, each as beginTable, its rows in
// stored order, then endTable. Any function may raise StoreError to stop.
class RowSink
{
public:
    virtual ~RowSink() = default;
    virtual void beginTable(const Table& table) = 0;
    virtual void row(const Row& values) = 0;
    virtual void endTable() = 0;
};

} // namespace Jet

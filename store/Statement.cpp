#include "store/Statement.h"

#include "store/SqliteFailure.h"
#include "store/StoreError.h"

#include <QCoreApplication>

#include <sqlite3.h>

namespace {

[[noreturn]] void raise(sqlite3* db, int code)
{
    throw StoreError(sqliteFailureText(db, code));
}

// Raises what SQLite reported when `code` is not SQLITE_OK.
void check(sqlite3* db, int code)
{
    if (code != SQLITE_OK)
        raise(db, code);
}

} // namespace

Statement::Statement(sqlite3* db, const QString& sql)
    : db_(db)
{
    const QByteArray utf8 = sql.toUtf8();
    check(db_, sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, nullptr));
    if (!stmt_)
        throw StoreError(QCoreApplication::translate("Store", "The statement is empty"));
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bindText(const QString& name, const QString& value)
{
    const int index = sqlite3_bind_parameter_index(stmt_, name.toUtf8().constData());
    if (index > 0)
        bindText(index, value);
}

void Statement::bindText(int index, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    check(db_, sqlite3_bind_text64(stmt_, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8));
}

void Statement::bindBytes(int index, const std::optional<QByteArray>& value)
{
    if (!value) {
        bindNull(index);
        return;
    }
    // SQLite reads a null pointer as null: an empty value needs a real one.
    check(db_, sqlite3_bind_blob64(stmt_, index, value->isEmpty() ? "" : value->constData(),
                                   sqlite3_uint64(value->size()), SQLITE_TRANSIENT));
}

void Statement::bindReal(int index, double value)
{
    check(db_, sqlite3_bind_double(stmt_, index, value));
}

void Statement::bindInt64(int index, qint64 value)
{
    check(db_, sqlite3_bind_int64(stmt_, index, value));
}

void Statement::bindNull(int index)
{
    check(db_, sqlite3_bind_null(stmt_, index));
}

int Statement::parameterCount() const
{
    return sqlite3_bind_parameter_count(stmt_);
}

QString Statement::parameterName(int index) const
{
    return QString::fromUtf8(sqlite3_bind_parameter_name(stmt_, index));
}

bool Statement::step()
{
    const int code = sqlite3_step(stmt_);
    switch (code) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        raise(db_, code);
    }
}

void Statement::execute()
{
    const int code = sqlite3_step(stmt_);
    // The reason first: resetting the statement may replace it.
    const QString reason = code == SQLITE_DONE || code == SQLITE_ROW ? QString() : sqliteFailureText(db_, code);
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    if (!reason.isNull())
        throw StoreError(reason);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

Statement::ColumnType Statement::columnType(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        return ColumnType::Integer;
    case SQLITE_FLOAT:
        return ColumnType::Real;
    case SQLITE_TEXT:
        return ColumnType::Text;
    case SQLITE_BLOB:
        return ColumnType::Blob;
    default:
        return ColumnType::Null;
    }
}

qint64 Statement::columnInt64(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double Statement::columnDouble(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

QByteArrayView Statement::columnText(int column) const
{
    // Ask for the pointer first: the byte count then describes that form.
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QByteArrayView(data, sqlite3_column_bytes(stmt_, column));
}

QByteArrayView Statement::columnBlob(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return QByteArrayView(data, sqlite3_column_bytes(stmt_, column));
}

FieldValue Statement::value(int column) const
{
    FieldValue value;
    value.kind = columnType(column);
    switch (value.kind) {
    case ColumnType::Integer:
        value.integer = columnInt64(column);
        break;
    case ColumnType::Real:
        value.real = columnDouble(column);
        break;
    case ColumnType::Text:
        value.bytes = columnText(column);
        break;
    case ColumnType::Blob:
        value.bytes = columnBlob(column);
        break;
    case ColumnType::Null:
        break;
    }
    return value;
}

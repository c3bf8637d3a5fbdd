#include "store/Statement.h"

#include "store/StoreError.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void raise(sqlite3* db)
{
    throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

Statement::Statement(sqlite3* db, const QString& sql)
    : db_(db)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, nullptr) != SQLITE_OK)
        raise(db_);
    if (!stmt_)
        throw StoreError(QStringLiteral("The statement is empty"));
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
    if (sqlite3_bind_text64(stmt_, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8)
        != SQLITE_OK)
        raise(db_);
}

void Statement::bindBytes(int index, const std::optional<QByteArray>& value)
{
    if (!value) {
        bindNull(index);
        return;
    }
    // SQLite reads a null pointer as null: an empty value needs a real one.
    if (sqlite3_bind_blob64(stmt_, index, value->isEmpty() ? "" : value->constData(), sqlite3_uint64(value->size()),
                            SQLITE_TRANSIENT)
        != SQLITE_OK)
        raise(db_);
}

void Statement::bindReal(int index, double value)
{
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        raise(db_);
}

void Statement::bindInt64(int index, qint64 value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        raise(db_);
}

void Statement::bindNull(int index)
{
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        raise(db_);
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
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        raise(db_);
    }
}

void Statement::execute()
{
    const int rc = sqlite3_step(stmt_);
    // The reason first: resetting the statement may replace it.
    const QString reason = rc == SQLITE_DONE || rc == SQLITE_ROW ? QString() : QString::fromUtf8(sqlite3_errmsg(db_));
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

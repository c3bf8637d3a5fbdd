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
    if (sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
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

#include "store/RecordSet.h"

#include "store/Database.h"
#include "store/IntegerText.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <cmath>
#include <limits>

namespace {

QString parameterKey(const QString& name)
{
    return name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
}

QString realAsText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

RecordSet::RecordSet(Database& db, const QString& name)
    : db_(db)
    , name_(name)
{
}

void RecordSet::raise(const QString& text) const
{
    throw StoreError(name_ + QStringLiteral(": ") + text);
}

void RecordSet::setSql(const QString& sql)
{
    close();
    sql_ = sql;
    parameters_.clear();
}

void RecordSet::setParameter(const QString& name, const QString& value)
{
    parameters_.insert(parameterKey(name), value);
}

void RecordSet::open()
{
    if (isBrowsing())
        return;
    load();
    state_ = State::Browsing;
    current_ = rows_.rowCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = rows_.rowCount() == 0;
}

void RecordSet::close()
{
    state_ = State::Closed;
    rows_.reset(0);
    fieldNames_.clear();
    fieldIndexes_.clear();
    deferred_.reset();
    current_ = -1;
    bof_ = eof_ = true;
}

void RecordSet::load()
{
    std::optional<DeferredBlobQuery> deferred = DeferredBlobQuery::rewrite(db_, sql_);
    std::optional<Statement> statement;
    if (deferred) {
        try {
            statement.emplace(db_.handle(), deferred->sql);
        } catch (const StoreError&) {
            deferred.reset(); // a view or a table without rowid: run as written
        }
    }
    try {
        if (!statement)
            statement.emplace(db_.handle(), sql_);

        // Unset parameters are null and match nothing, as an empty set should.
        for (int i = 1; i <= statement->parameterCount(); ++i) {
            const auto value = parameters_.constFind(parameterKey(statement->parameterName(i)));
            if (value != parameters_.constEnd())
                statement->bindText(i, *value);
            else
                statement->bindNull(i);
        }

        const int firstField = deferred ? 1 : 0;
        const int fieldCount = statement->columnCount() - firstField;
        RowCache rows;
        rows.reset(fieldCount);
        QStringList names;
        QHash<QString, int> indexes;
        for (int i = 0; i < fieldCount; ++i) {
            const QString fieldName = statement->columnName(firstField + i);
            names << fieldName;
            if (!indexes.contains(fieldName.toLower())) // the first of equal names wins
                indexes.insert(fieldName.toLower(), i);
        }

        while (statement->step()) {
            rows.beginRow(deferred ? statement->columnInt64(0) : 0);
            for (int i = firstField; i < firstField + fieldCount; ++i) {
                switch (statement->columnType(i)) {
                case Statement::ColumnType::Null:
                    rows.appendNull();
                    break;
                case Statement::ColumnType::Integer:
                    rows.appendInteger(statement->columnInt64(i));
                    break;
                case Statement::ColumnType::Real:
                    rows.appendReal(statement->columnDouble(i));
                    break;
                case Statement::ColumnType::Text:
                    rows.appendText(statement->columnText(i));
                    break;
                case Statement::ColumnType::Blob:
                    if (deferred)
                        rows.appendDeferredBlob();
                    else
                        rows.appendBlob(statement->columnBlob(i));
                    break;
                }
            }
        }
        rows_ = std::move(rows);
        fieldNames_ = names;
        fieldIndexes_ = indexes;
        deferred_ = std::move(deferred);
    } catch (const StoreError& error) {
        raise(error.text());
    }
}

void RecordSet::requireOpen() const
{
    if (!isBrowsing())
        raise(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

bool RecordSet::bof() const
{
    requireOpen();
    return bof_;
}

bool RecordSet::eof() const
{
    requireOpen();
    return eof_;
}

void RecordSet::next()
{
    requireOpen();
    if (eof_)
        return;
    bof_ = false;
    if (current_ + 1 < rows_.rowCount())
        ++current_;
    else
        eof_ = true;
}

void RecordSet::prior()
{
    requireOpen();
    if (bof_)
        return;
    eof_ = false;
    if (current_ > 0)
        --current_;
    else
        bof_ = true;
}

int RecordSet::recNo() const
{
    requireOpen();
    return hasCurrent() ? current_ + 1 : -1;
}

void RecordSet::setRecNo(int number)
{
    requireOpen();
    if (number < 1 || number > rows_.rowCount())
        raise(QStringLiteral("Record number %1 is out of range (1 to %2)").arg(number).arg(rows_.rowCount()));
    if (number == current_ + 1)
        return;
    current_ = number - 1;
    bof_ = eof_ = false;
}

int RecordSet::recordCount() const
{
    requireOpen();
    return rows_.rowCount();
}

QStringList RecordSet::fieldNames() const
{
    requireOpen();
    return fieldNames_;
}

bool RecordSet::hasField(const QString& field) const
{
    requireOpen();
    return fieldIndexes_.contains(field.toLower());
}

int RecordSet::fieldIndex(const QString& field) const
{
    requireOpen();
    const auto index = fieldIndexes_.constFind(field.toLower());
    if (index == fieldIndexes_.constEnd())
        raise(QStringLiteral("Field '%1' not found").arg(field));
    return *index;
}

QByteArray RecordSet::fieldAsBytes(const QString& field) const
{
    const int column = fieldIndex(field);
    if (!hasCurrent())
        return {};
    switch (rows_.kind(current_, column)) {
    case RowCache::Kind::Null:
        return {};
    case RowCache::Kind::Text:
    case RowCache::Kind::Blob:
        return rows_.bytes(current_, column).toByteArray();
    case RowCache::Kind::DeferredBlob:
        try {
            return deferred_->readValue(db_, fieldNames_.at(column), rows_.rowId(current_));
        } catch (const StoreError& error) {
            raise(error.text());
        }
    case RowCache::Kind::Integer:
    case RowCache::Kind::Real:
        return fieldAsString(field).toUtf8();
    }
    return {};
}

QString RecordSet::fieldAsString(const QString& field) const
{
    const int column = fieldIndex(field);
    if (!hasCurrent())
        return {};
    switch (rows_.kind(current_, column)) {
    case RowCache::Kind::Null:
        return {};
    case RowCache::Kind::Integer:
        return QString::number(rows_.integer(current_, column));
    case RowCache::Kind::Real:
        return realAsText(rows_.real(current_, column));
    case RowCache::Kind::Text:
    case RowCache::Kind::Blob:
        return QString::fromUtf8(rows_.bytes(current_, column));
    case RowCache::Kind::DeferredBlob:
        return QString::fromUtf8(fieldAsBytes(field));
    }
    return {};
}

int RecordSet::fieldAsInteger(const QString& field) const
{
    const int column = fieldIndex(field);
    if (!hasCurrent())
        return 0;
    switch (rows_.kind(current_, column)) {
    case RowCache::Kind::Null:
        return 0;
    case RowCache::Kind::Integer: {
        const qint64 value = rows_.integer(current_, column);
        if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
            break;
        return int(value);
    }
    case RowCache::Kind::Real: {
        const double value = std::round(rows_.real(current_, column));
        if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
            break;
        return int(value);
    }
    case RowCache::Kind::Text:
    case RowCache::Kind::Blob:
    case RowCache::Kind::DeferredBlob:
        return integerFromText(fieldAsString(field));
    }
    throw StoreError(QStringLiteral("'%1' is not a valid integer value").arg(fieldAsString(field)));
}

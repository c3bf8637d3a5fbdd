#include "store/RecordSet.h"

#include "store/AppendRows.h"
#include "store/Database.h"
#include "store/FieldValue.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString parameterKey(const QString& name)
{
    return name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
}

} // namespace

RecordSet::RecordSet(Database& db)
    : db_(db)
{
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
    if (isOpen())
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
    changes_.clear();
    current_ = -1;
    bof_ = eof_ = true;
}

void RecordSet::load()
{
    const Database::ReadTimeLimit timeLimit(db_);
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

        // Parameters are given as text. A number's text is bound as the
        // number, so that it finds the rows whatever the column's declared
        // type: SQLite compares an untyped column's 101 and '101' as unequal.
        // Unset parameters are null and match nothing.
        for (int i = 1; i <= statement->parameterCount(); ++i) {
            const auto value = parameters_.constFind(parameterKey(statement->parameterName(i)));
            if (value == parameters_.constEnd()) {
                statement->bindNull(i);
                continue;
            }
            bool isNumber = false;
            const qint64 number = value->toLongLong(&isNumber);
            if (isNumber && QString::number(number) == *value)
                statement->bindInt64(i, number);
            else
                statement->bindText(i, *value);
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

        appendRows(*statement, rows, deferred.has_value(), db_.limits().maxReadBytes);
        rows_ = std::move(rows);
        fieldNames_ = names;
        fieldIndexes_ = indexes;
        deferred_ = std::move(deferred);
    } catch (const StoreError&) {
        if (timeLimit.hasExpired())
            throw StoreError(QCoreApplication::translate("Store", "Reading the rows took longer than %1 s; the bank "
                                                                  "may be damaged")
                                 .arg(timeLimit.limitMs() / 1000.0));
        throw;
    }
}

void RecordSet::requireOpen() const
{
    if (!isOpen())
        throw StoreError(QCoreApplication::translate("Store", "Cannot perform this operation on a closed dataset"));
}

void RecordSet::requireRecordNumber(int number) const
{
    requireOpen();
    if (number < 1 || number > rows_.rowCount())
        throw StoreError(QCoreApplication::translate("Store", "Record number %1 is out of range (1 to %2)")
                             .arg(number)
                             .arg(rows_.rowCount()));
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
    checkBrowseMode();
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
    checkBrowseMode();
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
    requireRecordNumber(number);
    if (number == current_ + 1)
        return;
    const int countBefore = rows_.rowCount();
    checkBrowseMode();
    // An unmodified new record was dropped: the records after it moved up.
    if (rows_.rowCount() < countBefore && number - 1 > current_)
        --number;
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
        throw StoreError(QCoreApplication::translate("Store", "Field '%1' not found").arg(field));
    return *index;
}

const QString* RecordSet::changedValue(int row, int column) const
{
    if (row != current_ || !isEditing())
        return nullptr;
    const auto value = changes_.constFind(column);
    return value == changes_.constEnd() ? nullptr : &*value;
}

QByteArray RecordSet::bytesAt(int row, int column) const
{
    if (row < 0)
        return {};
    QByteArray holder;
    const FieldValue value = valueAt(row, column, holder);
    // A value read for this call is handed on as it is, without a copy.
    return holder.isNull() ? readBytes(value) : holder;
}

FieldValue RecordSet::valueAt(int row, int column, QByteArray& holder) const
{
    FieldValue value;
    if (const QString* changed = changedValue(row, column)) {
        holder = changed->toUtf8();
        value.kind = FieldValue::Kind::Text;
        value.bytes = holder;
        return value;
    }
    switch (rows_.kind(row, column)) {
    case RowCache::Kind::Null:
        break;
    case RowCache::Kind::Integer:
        value.kind = FieldValue::Kind::Integer;
        value.integer = rows_.integer(row, column);
        break;
    case RowCache::Kind::Real:
        value.kind = FieldValue::Kind::Real;
        value.real = rows_.real(row, column);
        break;
    case RowCache::Kind::Text:
        value.kind = FieldValue::Kind::Text;
        value.bytes = rows_.bytes(row, column);
        break;
    case RowCache::Kind::Blob:
        value.kind = FieldValue::Kind::Blob;
        value.bytes = rows_.bytes(row, column);
        break;
    case RowCache::Kind::DeferredBlob:
        holder = deferred_->readValue(db_, fieldNames_.at(column), rows_.rowId(row));
        value.kind = FieldValue::Kind::Blob;
        value.bytes = holder;
        break;
    }
    return value;
}

QString RecordSet::stringAt(int row, int column) const
{
    if (row < 0)
        return {};
    QByteArray holder;
    return readText(valueAt(row, column, holder));
}

QByteArray RecordSet::fieldAsBytes(const QString& field) const
{
    return bytesAt(current_, fieldIndex(field));
}

QString RecordSet::fieldAsString(const QString& field) const
{
    return stringAt(current_, fieldIndex(field));
}

QString RecordSet::fieldAsString(int number, const QString& field) const
{
    const int column = fieldIndex(field);
    requireRecordNumber(number);
    return stringAt(number - 1, column);
}

int RecordSet::fieldAsInteger(const QString& field) const
{
    const int column = fieldIndex(field);
    if (!hasCurrent())
        return 0;
    QByteArray holder;
    return requireInteger(valueAt(current_, column, holder));
}

bool RecordSet::canModify() const
{
    return isOpen() && deferred_.has_value();
}

void RecordSet::requireModifiable() const
{
    requireOpen();
    if (!deferred_)
        throw StoreError(QCoreApplication::translate("Store", "Cannot modify this dataset: its rows are not the rows "
                                                              "of one table with rowids"));
}

void RecordSet::edit()
{
    requireModifiable();
    if (isEditing())
        return;
    if (!hasCurrent()) {
        insert();
        return;
    }
    state_ = State::Editing;
}

void RecordSet::insert()
{
    requireModifiable();
    checkBrowseMode();
    const int row = hasCurrent() ? current_ : 0;
    rows_.insertNullRow(row, 0);
    current_ = row;
    bof_ = eof_ = false;
    state_ = State::Inserting;
}

void RecordSet::requireEditing() const
{
    if (!isEditing())
        throw StoreError(QCoreApplication::translate("Store", "Dataset not in edit or insert mode"));
}

void RecordSet::setFieldValue(const QString& field, const QString& value)
{
    const int column = fieldIndex(field);
    requireEditing();
    changes_.insert(column, value);
}

void RecordSet::leaveEditing()
{
    changes_.clear();
    state_ = State::Browsing;
}

void RecordSet::removeCurrentRow()
{
    rows_.removeRow(current_);
    if (current_ >= rows_.rowCount())
        current_ = rows_.rowCount() - 1;
    bof_ = eof_ = !hasCurrent();
}

void RecordSet::cancel()
{
    requireOpen();
    // A record being inserted has both flags clear, so a record after it
    // keeps them so.
    if (state_ == State::Inserting)
        removeCurrentRow();
    leaveEditing();
}

void RecordSet::checkBrowseMode()
{
    if (isModified())
        post();
    else if (isEditing())
        cancel();
}

void RecordSet::post()
{
    write(Write::IfUnchanged);
}

void RecordSet::postOverwriting()
{
    write(Write::Overwriting);
}

void RecordSet::write(Write how)
{
    requireOpen();
    requireEditing();
    if (!isModified() && state_ == State::Editing) {
        leaveEditing(); // nothing typed: nothing to write
        return;
    }
    const RowCache written = state_ == State::Inserting
                                 ? rowWriter().insert(changes_)
                                 : rowWriter().update(rows_, current_, changes_, how == Write::IfUnchanged);
    rows_.replaceRow(current_, written, 0);
    leaveEditing();
}

void RecordSet::takeStoredVersion()
{
    requireOpen();
    if (state_ != State::Editing)
        return;
    const Database::ReadTimeLimit timeLimit(db_);
    const std::optional<RowCache> stored = rowWriter().read(rows_.rowId(current_));
    leaveEditing();
    if (stored) {
        rows_.replaceRow(current_, *stored, 0);
        return;
    }
    // Deleted meanwhile: the entry goes, as a refresh would show.
    removeCurrentRow();
}

void RecordSet::deleteCurrent()
{
    requireModifiable();
    if (state_ == State::Inserting) {
        cancel();
        return;
    }
    if (!hasCurrent())
        throw StoreError(QCoreApplication::translate("Store", "Cannot perform this operation on an empty dataset"));
    rowWriter().remove(rows_, current_);
    removeCurrentRow();
    leaveEditing();
}

void RecordSet::refresh()
{
    requireOpen();
    checkBrowseMode();
    const int previous = current_;
    const qint64 rowId = hasCurrent() ? rows_.rowId(current_) : 0;
    load();
    current_ = std::min(previous, rows_.rowCount() - 1);
    if (deferred_ && previous >= 0) {
        for (int row = 0; row < rows_.rowCount(); ++row) {
            if (rows_.rowId(row) == rowId) {
                current_ = row;
                break;
            }
        }
    }
    if (current_ < 0 && rows_.rowCount() > 0)
        current_ = 0;
    if (current_ != previous)
        bof_ = eof_ = false;
    if (!hasCurrent())
        bof_ = eof_ = true;
}

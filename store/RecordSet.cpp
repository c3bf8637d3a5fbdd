#include "store/RecordSet.h"

#include "store/Database.h"
#include "store/FieldValue.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>

namespace {

QString parameterKey(const QString& name)
{
    return name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
}

// The bytes a statement's rows may take as they are read. Each value is
// counted before it is stored, so that no row, however wide, gets past the
// limit: a bank is an untrusted file, and a view can make rows of any size.
class ReadBudget
{
public:
    explicit ReadBudget(qint64 maxBytes)
        : maxBytes_(maxBytes)
    {
    }

    void spend(qint64 bytes)
    {
        spent_ += bytes;
        if (spent_ > maxBytes_)
            throw StoreError(QCoreApplication::translate("Store", "The rows take more than %1 MB; the bank may "
                                                                  "be damaged")
                                 .arg(maxBytes_ / (1024 * 1024)));
    }

private:
    qint64 maxBytes_;
    qint64 spent_ = 0;
};

// What holding one value costs besides its bytes: its cell, and a row its id.
constexpr qint64 cellCost = 16;
constexpr qint64 rowCost = 8;

// Appends every row of a statement. A keyed statement's first column is the
// rowid, and its byte values are left in the file to be read when asked for.
void appendRows(Statement& statement, RowCache& rows, bool keyed, qint64 maxBytes)
{
    const int firstField = keyed ? 1 : 0;
    ReadBudget budget(maxBytes);
    while (statement.step()) {
        budget.spend(rowCost + cellCost * (statement.columnCount() - firstField));
        rows.beginRow(keyed ? statement.columnInt64(0) : 0);
        for (int i = firstField; i < statement.columnCount(); ++i) {
            switch (statement.columnType(i)) {
            case Statement::ColumnType::Null:
                rows.appendNull();
                break;
            case Statement::ColumnType::Integer:
                rows.appendInteger(statement.columnInt64(i));
                break;
            case Statement::ColumnType::Real:
                rows.appendReal(statement.columnDouble(i));
                break;
            case Statement::ColumnType::Text: {
                const QByteArrayView text = statement.columnText(i);
                budget.spend(text.size());
                rows.appendText(text);
                break;
            }
            case Statement::ColumnType::Blob:
                if (keyed) {
                    rows.appendDeferredBlob();
                } else {
                    const QByteArrayView bytes = statement.columnBlob(i);
                    budget.spend(bytes.size());
                    rows.appendBlob(bytes);
                }
                break;
            }
        }
    }
}

// A post to an entry that another program deleted since it was read.
StoreError deletedElsewhere()
{
    return StoreError(QCoreApplication::translate("Store", "Another program has deleted this entry since it was "
                                                           "read; the change has not been written"));
}

} // namespace

RecordSet::RecordSet(Database& db, const QString& name)
    : db_(db)
    , name_(name)
{
}

void RecordSet::raise(const QString& text) const
{
    throw StoreError(text);
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

        appendRows(*statement, rows, deferred.has_value(), db_.maxRowBytes());
        rows_ = std::move(rows);
        fieldNames_ = names;
        fieldIndexes_ = indexes;
        deferred_ = std::move(deferred);
    } catch (const StoreError&) {
        if (timeLimit.hasExpired())
            raise(QCoreApplication::translate("Store", "Reading the rows took longer than %1 s; the bank may be "
                                                       "damaged")
                      .arg(timeLimit.limitMs() / 1000.0));
        throw;
    }
}

void RecordSet::requireOpen() const
{
    if (!isOpen())
        raise(QCoreApplication::translate("Store", "Cannot perform this operation on a closed dataset"));
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
    requireOpen();
    if (number < 1 || number > rows_.rowCount())
        raise(QCoreApplication::translate("Store", "Record number %1 is out of range (1 to %2)")
                  .arg(number)
                  .arg(rows_.rowCount()));
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
        raise(QCoreApplication::translate("Store", "Field '%1' not found").arg(field));
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
    switch (value.kind) {
    case FieldValue::Kind::Null:
        return {};
    case FieldValue::Kind::Text:
    case FieldValue::Kind::Blob:
        return holder.isNull() ? value.bytes.toByteArray() : holder;
    case FieldValue::Kind::Integer:
    case FieldValue::Kind::Real:
        return readText(value).toUtf8();
    }
    return {};
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
    if (number < 1 || number > rows_.rowCount())
        raise(QCoreApplication::translate("Store", "Record number %1 is out of range (1 to %2)")
                  .arg(number)
                  .arg(rows_.rowCount()));
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
        raise(QCoreApplication::translate("Store", "Cannot modify this dataset: its rows are not the rows of one "
                                                   "table with rowids"));
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

void RecordSet::setFieldValue(const QString& field, const QString& value)
{
    const int column = fieldIndex(field);
    if (!isEditing())
        raise(QCoreApplication::translate("Store", "Dataset not in edit or insert mode"));
    changes_.insert(column, value);
}

void RecordSet::leaveEditing()
{
    changes_.clear();
    state_ = State::Browsing;
}

void RecordSet::cancel()
{
    requireOpen();
    if (state_ == State::Inserting) {
        rows_.removeRow(current_);
        if (current_ >= rows_.rowCount())
            current_ = rows_.rowCount() - 1;
        if (!hasCurrent())
            bof_ = eof_ = true;
    }
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
    if (!isEditing())
        raise(QCoreApplication::translate("Store", "Dataset not in edit or insert mode"));
    if (!isModified() && state_ == State::Editing) {
        leaveEditing(); // nothing typed: nothing to write
        return;
    }
    {
        const Database::WriteTimeLimit timeLimit(db_);
        db_.forgetCachedPages();
        Transaction transaction(db_);
        db_.requireSameFile();
        if (state_ == State::Editing && how == Write::IfUnchanged)
            requireStoredAsRead();
        const qint64 rowId = state_ == State::Inserting ? insertCurrent() : updateCurrent();
        const RowCache written = readRow(rowId);
        transaction.commit();
        rows_.replaceRow(current_, written, 0);
    }
    leaveEditing();
}

void RecordSet::requireStoredAsRead() const
{
    const std::optional<RowCache> stored = readRowIfAny(rows_.rowId(current_));
    if (!stored)
        throw deletedElsewhere();
    if (!rows_.sameValues(current_, *stored, 0))
        throw RowChangedElsewhere(QCoreApplication::translate("Store", "Another program has changed this entry "
                                                                       "since it was read; the change has not been "
                                                                       "written"));
}

void RecordSet::takeStoredVersion()
{
    requireOpen();
    if (state_ != State::Editing)
        return;
    const Database::ReadTimeLimit timeLimit(db_);
    const std::optional<RowCache> stored = readRowIfAny(rows_.rowId(current_));
    leaveEditing();
    if (stored) {
        rows_.replaceRow(current_, *stored, 0);
        return;
    }
    // Deleted meanwhile: the entry goes, as a refresh would show.
    rows_.removeRow(current_);
    if (current_ >= rows_.rowCount())
        current_ = rows_.rowCount() - 1;
    bof_ = eof_ = !hasCurrent();
}

qint64 RecordSet::updateCurrent()
{
    QStringList assignments;
    int parameter = 1;
    for (auto change = changes_.cbegin(); change != changes_.cend(); ++change)
        assignments << quotedIdentifier(fieldNames_.at(change.key())) + QStringLiteral(" = ?")
                + QString::number(parameter++);
    Statement update(db_.handle(), QStringLiteral("update %1 set %2 where %3 = ?%4")
                                       .arg(quotedIdentifier(deferred_->table), assignments.join(QStringLiteral(", ")),
                                            deferred_->rowIdName, QString::number(parameter)));
    parameter = 1;
    for (const QString& value : changes_)
        update.bindText(parameter++, value);
    const qint64 rowId = rows_.rowId(current_);
    update.bindInt64(parameter, rowId);
    update.step();
    if (sqlite3_changes(db_.handle()) == 0)
        throw deletedElsewhere();
    return rowId;
}

qint64 RecordSet::insertCurrent()
{
    QStringList columns;
    QStringList parameters;
    for (auto change = changes_.cbegin(); change != changes_.cend(); ++change) {
        columns << quotedIdentifier(fieldNames_.at(change.key()));
        parameters << QStringLiteral("?") + QString::number(parameters.size() + 1);
    }
    const QString table = quotedIdentifier(deferred_->table);
    Statement insert(db_.handle(), columns.isEmpty()
                                       ? QStringLiteral("insert into %1 default values").arg(table)
                                       : QStringLiteral("insert into %1 (%2) values (%3)")
                                             .arg(table, columns.join(QStringLiteral(", ")),
                                                  parameters.join(QStringLiteral(", "))));
    int parameter = 1;
    for (const QString& value : changes_)
        insert.bindText(parameter++, value);
    insert.step();
    return sqlite3_last_insert_rowid(db_.handle());
}

// The row as the file holds it now, defaults and conversions included;
// nothing when there is no such row.
std::optional<RowCache> RecordSet::readRowIfAny(qint64 rowId) const
{
    Statement read(db_.handle(), QStringLiteral("select %1, * from %2 where %1 = ?1")
                                     .arg(deferred_->rowIdName, quotedIdentifier(deferred_->table)));
    read.bindInt64(1, rowId);
    if (read.columnCount() - 1 != rows_.columnCount())
        throw StoreError(QCoreApplication::translate("Store", "The columns of table '%1' have changed since it was "
                                                              "read; refresh it")
                             .arg(deferred_->table));
    RowCache row;
    row.reset(rows_.columnCount());
    appendRows(read, row, true, db_.maxRowBytes());
    if (row.rowCount() != 1)
        return std::nullopt;
    return row;
}

RowCache RecordSet::readRow(qint64 rowId) const
{
    std::optional<RowCache> row = readRowIfAny(rowId);
    if (!row)
        throw StoreError(QCoreApplication::translate("Store", "The written entry cannot be read back"));
    return std::move(*row);
}

void RecordSet::deleteCurrent()
{
    requireModifiable();
    if (state_ == State::Inserting) {
        cancel();
        return;
    }
    if (!hasCurrent())
        raise(QCoreApplication::translate("Store", "Cannot perform this operation on an empty dataset"));
    {
        const Database::WriteTimeLimit timeLimit(db_);
        db_.forgetCachedPages();
        Transaction transaction(db_);
        db_.requireSameFile();
        // An entry another program changed since it was read is not
        // deleted: its change would be lost unseen. One it deleted already
        // is simply gone.
        const std::optional<RowCache> stored = readRowIfAny(rows_.rowId(current_));
        if (stored && !rows_.sameValues(current_, *stored, 0))
            throw StoreError(QCoreApplication::translate("Store", "Another program has changed this entry since it "
                                                                  "was read, so it was not deleted; refresh to see "
                                                                  "it"));
        Statement remove(db_.handle(), QStringLiteral("delete from %1 where %2 = ?1")
                                           .arg(quotedIdentifier(deferred_->table), deferred_->rowIdName));
        remove.bindInt64(1, rows_.rowId(current_));
        remove.step();
        transaction.commit();
    }
    rows_.removeRow(current_);
    leaveEditing();
    if (current_ >= rows_.rowCount())
        current_ = rows_.rowCount() - 1;
    bof_ = eof_ = !hasCurrent();
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

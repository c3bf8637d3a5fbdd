#include "store/RecordSet.h"

#include "store/AppendRows.h"
#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QCoreApplication>

#include <sqlite3.h>

namespace {

// A post to an entry that another program deleted since it was read.
StoreError deletedElsewhere()
{
    return StoreError(QCoreApplication::translate("Store", "Another program has deleted this entry since it was "
                                                           "read; the change has not been written"));
}

// One write to the bank, in one transaction (BEGIN IMMEDIATE, so that it
// waits for another program's write to finish), within the write time limit,
// built on the file as it is now and only into the file that was opened.
class BankWrite
{
public:
    explicit BankWrite(Database& db)
        : timeLimit_(db)
        , transaction_(forgettingCachedPages(db))
    {
        db.requireSameFile();
    }

    void commit() { transaction_.commit(); }

private:
    static Database& forgettingCachedPages(Database& db)
    {
        db.forgetCachedPages();
        return db;
    }

    Database::WriteTimeLimit timeLimit_;
    Transaction transaction_;
};

} // namespace

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
    {
        BankWrite bankWrite(db_);
        if (state_ == State::Editing && how == Write::IfUnchanged)
            requireStoredAsRead();
        const qint64 rowId = state_ == State::Inserting ? insertCurrent() : updateCurrent();
        const RowCache written = readRow(rowId);
        bankWrite.commit();
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
    removeCurrentRow();
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
    appendRows(read, row, true, db_.limits().maxReadBytes);
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
        throw StoreError(QCoreApplication::translate("Store", "Cannot perform this operation on an empty dataset"));
    {
        BankWrite bankWrite(db_);
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
        bankWrite.commit();
    }
    removeCurrentRow();
    leaveEditing();
}


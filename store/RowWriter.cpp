#include "store/RowWriter.h"

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

// One write to the bank: within the write time limit, in one transaction,
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

// The typed values, bound in column order from parameter 1 on.
void bindChanges(Statement& statement, const QMap<int, QString>& changes)
{
    int parameter = 1;
    for (const QString& value : changes)
        statement.bindText(parameter++, value);
}

} // namespace

RowWriter::RowWriter(Database& db, const DeferredBlobQuery& table, const QStringList& fieldNames)
    : db_(db)
    , table_(table)
    , fieldNames_(fieldNames)
{
}

RowCache RowWriter::update(const RowCache& rows, int row, const QMap<int, QString>& changes, bool requireUnchanged)
{
    BankWrite bankWrite(db_);
    if (requireUnchanged) {
        const std::optional<RowCache> stored = read(rows.rowId(row));
        if (!stored)
            throw deletedElsewhere();
        if (!rows.sameValues(row, *stored, 0))
            throw RowChangedElsewhere(QCoreApplication::translate("Store", "Another program has changed this entry "
                                                                           "since it was read; the change has not "
                                                                           "been written"));
    }
    const RowCache written = readWritten(updateRow(rows.rowId(row), changes));
    bankWrite.commit();
    return written;
}

RowCache RowWriter::insert(const QMap<int, QString>& changes)
{
    BankWrite bankWrite(db_);
    const RowCache written = readWritten(insertRow(changes));
    bankWrite.commit();
    return written;
}

void RowWriter::remove(const RowCache& rows, int row)
{
    BankWrite bankWrite(db_);
    const std::optional<RowCache> stored = read(rows.rowId(row));
    if (stored && !rows.sameValues(row, *stored, 0))
        throw StoreError(QCoreApplication::translate("Store", "Another program has changed this entry since it was "
                                                              "read, so it was not deleted; refresh to see it"));
    Statement remove(db_.handle(), QStringLiteral("delete from %1 where %2 = ?1")
                                       .arg(quotedIdentifier(table_.table), table_.rowIdName));
    remove.bindInt64(1, rows.rowId(row));
    remove.step();
    bankWrite.commit();
}

qint64 RowWriter::updateRow(qint64 rowId, const QMap<int, QString>& changes)
{
    QStringList assignments;
    for (auto change = changes.cbegin(); change != changes.cend(); ++change)
        assignments << quotedIdentifier(fieldNames_.at(change.key())) + QStringLiteral(" = ?")
                + QString::number(assignments.size() + 1);
    Statement update(db_.handle(), QStringLiteral("update %1 set %2 where %3 = ?%4")
                                       .arg(quotedIdentifier(table_.table), assignments.join(QStringLiteral(", ")),
                                            table_.rowIdName, QString::number(changes.size() + 1)));
    bindChanges(update, changes);
    update.bindInt64(int(changes.size()) + 1, rowId);
    update.step();
    if (sqlite3_changes(db_.handle()) == 0)
        throw deletedElsewhere();
    return rowId;
}

qint64 RowWriter::insertRow(const QMap<int, QString>& changes)
{
    QStringList columns;
    QStringList parameters;
    for (auto change = changes.cbegin(); change != changes.cend(); ++change) {
        columns << quotedIdentifier(fieldNames_.at(change.key()));
        parameters << QStringLiteral("?") + QString::number(parameters.size() + 1);
    }
    const QString table = quotedIdentifier(table_.table);
    Statement insert(db_.handle(), columns.isEmpty()
                                       ? QStringLiteral("insert into %1 default values").arg(table)
                                       : QStringLiteral("insert into %1 (%2) values (%3)")
                                             .arg(table, columns.join(QStringLiteral(", ")),
                                                  parameters.join(QStringLiteral(", "))));
    bindChanges(insert, changes);
    insert.step();
    return sqlite3_last_insert_rowid(db_.handle());
}

std::optional<RowCache> RowWriter::read(qint64 rowId) const
{
    Statement read(db_.handle(), QStringLiteral("select %1, * from %2 where %1 = ?1")
                                     .arg(table_.rowIdName, quotedIdentifier(table_.table)));
    read.bindInt64(1, rowId);
    if (read.columnCount() - 1 != fieldNames_.size())
        throw StoreError(QCoreApplication::translate("Store", "The columns of table '%1' have changed since it was "
                                                              "read; refresh it")
                             .arg(table_.table));
    RowCache row;
    row.reset(int(fieldNames_.size()));
    appendRows(read, row, true, db_.limits().maxReadBytes);
    if (row.rowCount() != 1)
        return std::nullopt;
    return row;
}

RowCache RowWriter::readWritten(qint64 rowId) const
{
    std::optional<RowCache> row = read(rowId);
    if (!row)
        throw StoreError(QCoreApplication::translate("Store", "The written entry cannot be read back"));
    return std::move(*row);
}

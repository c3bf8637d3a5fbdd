#include "tools/formats/jet/JetBankWriter.h"

#include "tools/bankfile/SqliteBankWriter.h"

#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <algorithm>

namespace {

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString declaredType(Jet::ColumnKind kind)
{
    switch (kind) {
    case Jet::ColumnKind::Integer: return QStringLiteral("integer");
    case Jet::ColumnKind::Real: return QStringLiteral("real");
    case Jet::ColumnKind::Text: return QStringLiteral("text");
    case Jet::ColumnKind::Bytes: return QStringLiteral("blob");
    case Jet::ColumnKind::Unsupported: break;
    }
    return {};
}

QString unsupported(const QString& table, const Jet::Column& column)
{
    return QStringLiteral("%1.%2 (%3): SQLite has no place for such values").arg(table, column.name, column.typeName);
}

} // namespace

// One insert statement for the table being written; each parameter takes
// the value of one Jet column.
class JetBankWriter::Insert
{
public:
    Insert(Database& db, const QString& table, const QStringList& columns, const QList<int>& sources)
        : table_(table), sources_(sources), statement_(prepare(db, table, columns))
    {
    }

    void run(const Jet::Row& values, qint64 rowNumber)
    {
        try {
            for (int parameter = 0; parameter < sources_.size(); ++parameter)
                bind(parameter + 1, values.value(sources_[parameter]));
            statement_.execute();
        } catch (const StoreError& error) {
            throw StoreError(QStringLiteral("table %1, row %2 cannot be written: %3")
                                 .arg(table_)
                                 .arg(rowNumber)
                                 .arg(error.text()));
        }
    }

private:
    static Statement prepare(Database& db, const QString& table, const QStringList& columns)
    {
        QStringList names;
        QStringList parameters;
        for (const QString& column : columns) {
            names.append(quoted(column));
            parameters.append(QStringLiteral("?"));
        }
        try {
            return Statement(db.handle(), QStringLiteral("insert into %1 (%2) values (%3)")
                                              .arg(quoted(table), names.join(QStringLiteral(", ")),
                                                   parameters.join(QStringLiteral(", "))));
        } catch (const StoreError& error) {
            throw StoreError(QStringLiteral("table %1 cannot be written: %2").arg(table, error.text()));
        }
    }

    void bind(int parameter, const Jet::Value& value)
    {
        if (const auto* integer = std::get_if<qint64>(&value))
            statement_.bindInt64(parameter, *integer);
        else if (const auto* real = std::get_if<double>(&value))
            statement_.bindReal(parameter, *real);
        else if (const auto* text = std::get_if<QString>(&value))
            statement_.bindText(parameter, *text);
        else if (const auto* bytes = std::get_if<QByteArray>(&value))
            statement_.bindBytes(parameter, *bytes); // an empty value stays empty, not null
        else
            statement_.bindNull(parameter);
    }

    QString table_;
    QList<int> sources_;
    Statement statement_;
};

JetBankWriter::JetBankWriter(const QString& path)
    : db_(std::make_unique<Database>(path, Database::Mode::NewFile))
{
    // The file is new and private until it is complete: a rollback journal
    // next to it would only be one more file to clean up after a failure.
    db_->execute(QStringLiteral("pragma journal_mode = memory"));
    transaction_ = std::make_unique<Transaction>(*db_);
    SqliteBankWriter::createTables(*db_);
    Statement tables(db_->handle(), QStringLiteral("select name from sqlite_master where type = 'table' order by rowid"));
    while (tables.step())
        bankTables_.append(QString::fromUtf8(tables.columnText(0)));
}

JetBankWriter::~JetBankWriter() = default;

void JetBankWriter::beginTable(const Jet::Table& table)
{
    const QString bankTable = existingTable(table.name);
    if (!bankTable.isEmpty()) {
        fillBankTable(bankTable, table);
    } else if (table.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) {
        leftOut_.append(QStringLiteral("table %1: names beginning with sqlite_ are kept for SQLite's own tables")
                            .arg(table.name));
        tables_.append({table.name, 0});
    } else {
        createTable(table);
    }
}

void JetBankWriter::row(const Jet::Row& values)
{
    const qint64 rowNumber = ++tables_.last().rows;
    if (insert_)
        insert_->run(values, rowNumber);
}

void JetBankWriter::endTable()
{
    insert_.reset();
}

void JetBankWriter::finish()
{
    for (const QString& bankTable : bankTables_) {
        const bool filled = std::any_of(tables_.cbegin(), tables_.cend(),
                                        [&bankTable](const TableRows& table) { return table.name == bankTable; });
        if (!filled)
            notes_.append(QStringLiteral("table %1: not in the Jet file, so left empty").arg(bankTable));
    }
    transaction_->commit();
}

QString JetBankWriter::existingTable(const QString& name) const
{
    Statement table(db_->handle(),
                    QStringLiteral("select name from sqlite_master where type = 'table' and name = ?1 collate nocase"));
    table.bindText(1, name);
    return table.step() ? QString::fromUtf8(table.columnText(0)) : QString();
}

QList<JetBankWriter::BankColumn> JetBankWriter::columnsOf(const QString& table) const
{
    Statement columns(db_->handle(), QStringLiteral("select name, pk = 1 and lower(type) = 'integer' "
                                                    "from pragma_table_info(?1) order by cid"));
    columns.bindText(1, table);
    QList<BankColumn> found;
    while (columns.step())
        found.append({QString::fromUtf8(columns.columnText(0)), columns.columnInt64(1) != 0});
    return found;
}

void JetBankWriter::fillBankTable(const QString& bankTable, const Jet::Table& table)
{
    const QList<BankColumn> bankColumns = columnsOf(bankTable);
    QStringList targets;
    QList<int> sources;
    for (int i = 0; i < table.columns.size(); ++i) {
        const Jet::Column& column = table.columns[i];
        if (column.kind == Jet::ColumnKind::Unsupported) {
            leftOut_.append(unsupported(bankTable, column));
            continue;
        }
        const auto bankColumn = std::find_if(bankColumns.cbegin(), bankColumns.cend(), [&column](const BankColumn& c) {
            return c.name.compare(column.name, Qt::CaseInsensitive) == 0;
        });
        if (bankColumn != bankColumns.cend()) {
            targets.append(bankColumn->name);
        } else {
            db_->execute(QStringLiteral("alter table %1 add column %2 %3")
                             .arg(quoted(bankTable), quoted(column.name), declaredType(column.kind)));
            notes_.append(QStringLiteral("%1.%2 (%3): carried over as a column the program does not read")
                              .arg(bankTable, column.name, column.typeName));
            targets.append(column.name);
        }
        sources.append(i);
    }
    for (const BankColumn& bankColumn : bankColumns) {
        if (targets.contains(bankColumn.name))
            continue;
        notes_.append(bankColumn.numbersRows
                          ? QStringLiteral("%1.%2: not in the Jet table, so numbered 1, 2, ... in stored order")
                                .arg(bankTable, bankColumn.name)
                          : QStringLiteral("%1.%2: not in the Jet table, so null in every row")
                                .arg(bankTable, bankColumn.name));
    }
    tables_.append({bankTable, 0});
    if (!targets.isEmpty())
        insert_ = std::make_unique<Insert>(*db_, bankTable, targets, sources);
}

void JetBankWriter::createTable(const Jet::Table& table)
{
    QStringList definitions;
    QStringList targets;
    QList<int> sources;
    for (int i = 0; i < table.columns.size(); ++i) {
        const Jet::Column& column = table.columns[i];
        if (column.kind == Jet::ColumnKind::Unsupported) {
            leftOut_.append(unsupported(table.name, column));
            continue;
        }
        definitions.append(quoted(column.name) + QLatin1Char(' ') + declaredType(column.kind));
        targets.append(column.name);
        sources.append(i);
    }
    tables_.append({table.name, 0});
    if (targets.isEmpty()) {
        leftOut_.append(QStringLiteral("table %1: none of its columns can be carried over").arg(table.name));
        return;
    }
    db_->execute(QStringLiteral("create table %1 (%2)").arg(quoted(table.name), definitions.join(QStringLiteral(", "))));
    notes_.append(QStringLiteral("table %1: carried over as a table the program does not read").arg(table.name));
    insert_ = std::make_unique<Insert>(*db_, table.name, targets, sources);
}

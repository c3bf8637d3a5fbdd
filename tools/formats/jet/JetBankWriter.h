#pragma once

#include "tools/formats/jet/JetTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Database;
class Transaction;

// Writes the tables of a Jet database into a new bank as they are read.
// Tables named like the bank's own (classes, Subjects, ziliao, in any case)
// fill those tables column by column by name; their other columns are added
// to them, and other tables are created as they are, each column with the
// SQLite type of its values. What has no place in SQLite is left out.
// Everything carried over beyond the bank's own columns, every column of
// the bank the Jet file does not fill, and everything left out is listed
// for the report. Raises StoreError when SQLite refuses
// a row (a question number used twice, for one).
class JetBankWriter : public Jet::RowSink
{
public:
    struct TableRows
    {
        QString name; // as the bank names it
        qint64 rows = 0;
    };

    // Creates the bank's tables in `path`, a new empty file.
    explicit JetBankWriter(const QString& path);
    ~JetBankWriter() override;

    void beginTable(const Jet::Table& table) override;
    void row(const Jet::Row& values) override;
    void endTable() override;

    // Commits the bank; notes the bank's tables the Jet file did not have.
    void finish();

    const QList<TableRows>& tables() const { return tables_; }
    const QStringList& notes() const { return notes_; }
    const QStringList& leftOut() const { return leftOut_; }

private:
    class Insert;

    struct BankColumn
    {
        QString name;
        bool numbersRows = false; // an integer primary key: SQLite numbers the rows
    };

    QString existingTable(const QString& name) const;
    QList<BankColumn> columnsOf(const QString& table) const;
    void fillBankTable(const QString& bankTable, const Jet::Table& table);
    void createTable(const Jet::Table& table);

    std::unique_ptr<Database> db_;
    std::unique_ptr<Transaction> transaction_;
    QStringList bankTables_;
    std::unique_ptr<Insert> insert_; // none while a table is left out
    QList<TableRows> tables_;
    QStringList notes_;
    QStringList leftOut_;
};

#pragma once

#include "rules/BankColumns.h"

#include <QLatin1Char>
#include <QList>
#include <QString>
#include <QStringList>

// The tables and columns of a question bank: the ones the program reads, by
// name (matched without regard to case, so a bank may have more), and how
// the bank tool and the tests create them. The program itself never creates
// a bank: it reads any bank with these tables and columns, whatever their
// declared types.
namespace BankTables {

struct Table
{
    QString name;
    QStringList columns;
};

inline Table classes()
{
    return {TableName::classes, {Column::no, Column::remark}};
}

inline Table subjects()
{
    return {TableName::subjects,
            {Column::no, Column::subject, Column::result, Column::classNo, Column::passOnly, Column::fatherNo,
             Column::bmp}};
}

inline Table materials()
{
    return {TableName::materials, {Column::title, Column::memo}};
}

inline QList<Table> all()
{
    return {classes(), subjects(), materials()};
}

// The tables above, with their indexes, as a new bank gets them. The
// question number is the rowid of Subjects; ziliao's id (not read by the
// program) is the key its rows are edited by.
inline QStringList createStatements()
{
    return {
        QStringLiteral("create table %1 ([%2] integer, %3 text)").arg(TableName::classes, Column::no, Column::remark),
        QStringLiteral("create table %1 ([%2] integer primary key, %3 text, %4 integer, %5 integer, %6 integer, "
                       "%7 integer, %8 blob)")
            .arg(TableName::subjects, Column::no, Column::subject, Column::result, Column::classNo, Column::passOnly,
                 Column::fatherNo, Column::bmp),
        QStringLiteral("create table %1 (%2 integer primary key, %3 text, %4 text)")
            .arg(TableName::materials, Column::id, Column::title, Column::memo),
        // A category's questions and the exam's two pools are found without
        // reading the whole table (and its pictures' pages). Both indexes
        // keep the table's own order, as the question number is the rowid.
        QStringLiteral("create index SubjectsByClass on %1(%2)").arg(TableName::subjects, Column::fatherNo),
        QStringLiteral("create index SubjectsByPassOnly on %1(%2, [%3])")
            .arg(TableName::subjects, Column::passOnly, Column::no),
    };
}

// Names in square brackets, comma-separated: a double-quoted name that
// matches no column would be read by SQLite as a string, hiding a missing
// column.
inline QString bracketed(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(QLatin1Char('[') + name + QLatin1Char(']'));
    return quoted.join(QStringLiteral(", "));
}

} // namespace BankTables

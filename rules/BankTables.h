#pragma once

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
    return {QStringLiteral("classes"), {QStringLiteral("no"), QStringLiteral("remark")}};
}

inline Table subjects()
{
    return {QStringLiteral("Subjects"),
            {QStringLiteral("no"), QStringLiteral("subject"), QStringLiteral("result"), QStringLiteral("classNo"),
             QStringLiteral("passOnly"), QStringLiteral("fatherNo"), QStringLiteral("bmp")}};
}

inline Table materials()
{
    return {QStringLiteral("ziliao"), {QStringLiteral("title"), QStringLiteral("memo")}};
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
        QStringLiteral("create table classes ([no] integer, remark text)"),
        QStringLiteral("create table Subjects ([no] integer primary key, subject text, result integer, "
                       "classNo integer, passOnly integer, fatherNo integer, bmp blob)"),
        QStringLiteral("create table ziliao (id integer primary key, title text, memo text)"),
        // A category's questions and the exam's two pools are found without
        // reading the whole table (and its pictures' pages). Both indexes
        // keep the table's own order, as the question number is the rowid.
        QStringLiteral("create index SubjectsByClass on Subjects(fatherNo)"),
        QStringLiteral("create index SubjectsByPassOnly on Subjects(passOnly, [no])"),
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

#pragma once

#include <QStringList>

// The tables and indexes of a question bank as the bank tool and the tests
// create them.
// The program itself never creates a bank: it reads any bank with these
// tables and columns, whatever their declared types.
namespace BankSchema {

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

} // namespace BankSchema

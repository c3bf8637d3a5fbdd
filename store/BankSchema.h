#pragma once

#include <QStringList>

// The tables of a question bank as the bank tool and the tests create them.
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
    };
}

} // namespace BankSchema

#pragma once

#include "rules/BankColumns.h"

#include <QString>

// Every statement the program issues against the question bank. Square
// brackets quote the column name "no".
namespace Statements {

// The named parameters of the statements below, without their colon.
inline const QString categoryParameter = QStringLiteral("fatherNo");
inline const QString numberParameter = QStringLiteral("Num");

inline QString classList()
{
    return QStringLiteral("select * from %1 order by [%2]").arg(TableName::classes, Column::no);
}

inline QString subjectsOfClass()
{
    return QStringLiteral("select * from %1 where %2 = :%3").arg(TableName::subjects, Column::fatherNo, categoryParameter);
}

inline QString allSubjects() { return QStringLiteral("select * from %1").arg(TableName::subjects); }

inline QString mustAnswerSubjects()
{
    return QStringLiteral("select * from %1 where %2 = 1").arg(TableName::subjects, Column::passOnly);
}

inline QString mustAnswerNumbers()
{
    return QStringLiteral("select [%1] from %2 where %3 = 1").arg(Column::no, TableName::subjects, Column::passOnly);
}

inline QString ordinaryNumbers()
{
    return QStringLiteral("select [%1] from %2 where %3 = 0").arg(Column::no, TableName::subjects, Column::passOnly);
}

inline QString subjectByNumber()
{
    return QStringLiteral("select * from %1 where [%2] = :%3").arg(TableName::subjects, Column::no, numberParameter);
}

inline QString materials() { return QStringLiteral("select * from %1").arg(TableName::materials); }

} // namespace Statements

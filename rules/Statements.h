#pragma once

#include <QString>

// Every statement the program issues against the question bank. Square
// brackets quote the column name "no".
namespace Statements {

inline QString classList() { return QStringLiteral("select * from classes order by [no]"); }
inline QString subjectsOfClass() { return QStringLiteral("select * from Subjects where fatherNo = :fatherNo"); }
inline QString allSubjects() { return QStringLiteral("select * from Subjects"); }
inline QString mustAnswerSubjects() { return QStringLiteral("select * from Subjects where passOnly = 1"); }
inline QString mustAnswerNumbers() { return QStringLiteral("select [no] from Subjects where passOnly = 1"); }
inline QString ordinaryNumbers() { return QStringLiteral("select [no] from Subjects where passOnly = 0"); }
inline QString subjectByNumber() { return QStringLiteral("select * from Subjects where [no] = :Num"); }
inline QString materials() { return QStringLiteral("select * from ziliao"); }

} // namespace Statements

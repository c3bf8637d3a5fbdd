#pragma once

#include <QString>

// The names of a question bank's tables and of the columns the program
// reads, written once: every statement, reader and writer of the program
// and of the bank tool names them through these.
namespace TableName {

inline const QString classes = QStringLiteral("classes");
inline const QString subjects = QStringLiteral("Subjects");
inline const QString materials = QStringLiteral("ziliao");

} // namespace TableName

namespace Column {

// classes: the category list.
inline const QString no = QStringLiteral("no"); // also the question number of Subjects
inline const QString remark = QStringLiteral("remark");

// Subjects: the questions.
inline const QString subject = QStringLiteral("subject");
inline const QString result = QStringLiteral("result");
inline const QString classNo = QStringLiteral("classNo");
inline const QString passOnly = QStringLiteral("passOnly");
inline const QString fatherNo = QStringLiteral("fatherNo");
inline const QString bmp = QStringLiteral("bmp");

// ziliao: the reference materials. The id is not read by the program; it is
// the key the rows are edited by, and the bank tool keeps it.
inline const QString id = QStringLiteral("id");
inline const QString title = QStringLiteral("title");
inline const QString memo = QStringLiteral("memo");

} // namespace Column

#pragma once

#include <QtGlobal>

// The codes a bank stores for a question's type (Subjects.classNo) and its
// answer (Subjects.result).
namespace QuestionType {

inline constexpr qint64 single = 0; // choose among A, B and C
inline constexpr qint64 judge = 1;  // true or false; any value but 0 counts as this

inline bool isSingleChoice(qint64 type) { return type == single; }

} // namespace QuestionType

namespace AnswerCode {

inline constexpr qint64 a = 0; // A, or 对 on a true/false question
inline constexpr qint64 b = 1; // B, or 错
inline constexpr qint64 c = 2; // C

} // namespace AnswerCode

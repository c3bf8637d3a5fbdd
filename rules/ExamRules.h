#pragma once

// The numbers that make a mock exam.
namespace ExamRules {

inline constexpr int examSize = 100;
inline constexpr int passMark = 90;

// The must-answer phase runs only with more than this many must-answer
// questions, and draws mustAnswerDraws of them.
inline constexpr int mustAnswerMinimum = 15;
inline constexpr int mustAnswerDraws = 8;

// The ordinary phase runs only with more than this many ordinary questions,
// and fills the exam up to examSize.
inline constexpr int ordinaryMinimum = 100;

} // namespace ExamRules

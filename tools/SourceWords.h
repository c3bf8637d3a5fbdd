#pragma once

#include <QString>

#include <optional>

// The words source files use for a question's type, its answer and its
// must-answer flag, shared by the JSON and the spreadsheet formats so that
// both accept the same spellings.
namespace SourceWords {

// "single", "单选", "选择" -> single choice; "judge", "判断" -> true/false.
std::optional<qint64> questionType(const QString& word);

// A, B, C for single-choice questions; 对/错, 正确/错误, √/× or A/B for
// true/false ones. Letters in either case.
std::optional<qint64> answer(const QString& word, qint64 type);

// The spellings answer() takes for a question of `type`, for messages.
QString answerSpellings(qint64 type);

// 是/否, 1/0, true/false (any case).
std::optional<bool> flag(const QString& word);

// The words export writes: "single"/"judge" and "A"/"B"/"C" or "对"/"错";
// empty when the value has no word (it is then written as an integer).
QString typeWord(qint64 type);
QString answerWord(qint64 answer, qint64 type);

} // namespace SourceWords

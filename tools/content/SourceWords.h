#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// The words sources use for a question's type, its answer and its
// must-answer flag, shared by the JSON and the spreadsheet formats so that
// both accept the same spellings: the ones teachers type in Excel or WPS.
// Words are compared after trimming, in either case, and with full-width
// letters and digits read as their ASCII forms (Ａ as A, １ as 1).
namespace SourceWords {

// Single choice: single, 单选, 单选题, 选择, 选择题, 单项选择, 单项选择题.
// True/false: judge, 判断, 判断题, 是非, 是非题, 对错, 对错题.
std::optional<qint64> questionType(const QString& word);

// Question types the program does not have, though teachers' sheets hold
// them: multiple choice (多选, 多选题, 多项选择, 多项选择题, 不定项,
// multiple) and questions answered in words (填空, 问答, 简答, ...).
bool isTypeTheProgramLacks(const QString& word);
bool isMultipleChoiceType(const QString& word);

// A, B, C for single-choice questions; for true/false ones 对/错, 正确/错误,
// √/×, ✓/✗, A/B, T/F, Y/N, true/false.
std::optional<qint64> answer(const QString& word, qint64 type);

// 是/否, 1/0, true/false, yes/no, Y/N, √/×, ✓/✗, 对/错.
std::optional<bool> flag(const QString& word);

// Whether `word` is one of the true/false answers other than A and B.
bool isTrueFalseWord(const QString& word);

// The spellings each takes, for messages and the manual.
QStringList typeSpellings();
QStringList answerSpellings(qint64 type);
QStringList flagSpellings();

// The words export writes: "single"/"judge" and "A"/"B"/"C" or "对"/"错";
// empty when the value has no word (it is then written as an integer).
QString typeWord(qint64 type);
QString answerWord(qint64 answer, qint64 type);

// A word as it is compared: trimmed, full-width forms folded to ASCII.
QString normalized(const QString& word);

// A picture path as typed: Windows separators (pics\stop.png) read as '/'.
QString picturePath(const QString& typed);

} // namespace SourceWords

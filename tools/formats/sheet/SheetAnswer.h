#pragma once

#include <QString>

// What a teacher's answer cell holds. Cells copied from web pages often
// carry more than the answer ("对⏎章节测验⏎已完成"): the answer is the first
// line that holds anything, and the rest is left out (and said). Letters may
// be full-width or lower case.
struct SheetAnswer
{
    enum class Kind {
        Empty,
        Letter,         // A, B or C: `code` 0 to 2
        TrueFalse,      // 对, 错, 正确, √, T, F, ...: `code` 0 true, 1 false
        LaterLetter,    // D or a later letter: a fourth option's answer
        SeveralLetters, // "AB", "A,C": a multiple-choice answer
        Other,
    };

    Kind kind = Kind::Empty;
    qint64 code = 0;
    QString word;              // the answer as read (the first line, trimmed)
    bool droppedLines = false; // other lines followed it

    static SheetAnswer read(const QString& cell);
};

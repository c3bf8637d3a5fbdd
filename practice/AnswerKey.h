#pragma once

#include <QString>

// The answer key shown for a question: "A", "B", "C" for a single-choice
// question (classNo 0), "对", "错", "C" for any other type. Every code other
// than 0 and 1 shows "C".
QString answerKeyText(int result, int classNo);

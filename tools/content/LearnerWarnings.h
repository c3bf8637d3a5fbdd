#pragma once

#include "tools/content/BankContent.h"
#include "tools/content/SourceProblems.h"

#include <QSize>
#include <QString>

#include <optional>

// What a learner would miss in a bank that is otherwise sound, said as
// warnings when it is built: a bank the mock exam cannot run on, a picture
// larger than the area the trainer shows it in, a question longer than the
// practice text box shows without scrolling, and a picture stored far
// larger than its file (a photo kept as a bitmap). The sizes are the
// trainer's own (layout/FormLayout.h).
namespace LearnerWarnings {

// How many questions each of the mock exam's pools holds, as its draw
// counts them (passOnly 0 ordinary, 1 must-answer).
struct ExamPools
{
    qint64 ordinary = 0;
    qint64 mustAnswer = 0;

    void add(const BankQuestion& question);
};

// What a learner misses in the mock exam of a bank with these pools: the
// reason, or nothing when the whole exam runs.
std::optional<QString> examWarning(const ExamPools& pools);

// Adds the warnings about the bank as a whole to `problems`, against `file`.
void checkExam(const BankContent& content, const QString& file, SourceProblems& problems);

// A picture whose stored bitmap is many times its file: the reason, or
// nothing when its size is reasonable.
std::optional<QString> pictureGrowth(qint64 fileBytes, qint64 storedBytes);

// A picture larger than the picture area: the reason, with both sizes.
std::optional<QString> pictureCutOff(const QSize& picture);

// Whether `text`, in the trainer's font and wrapped as its text box wraps
// it, fits a box of `inner` size (the box less its frame and margins)
// without scrolling.
bool textFits(const QString& text, const QSize& inner);

// A question whose text is taller than the practice text box can be: the
// reason, with the box's size. (Where the style is known, as in a window,
// textFits() measures against the box exactly.)
std::optional<QString> textCutOff(const QString& text);

} // namespace LearnerWarnings

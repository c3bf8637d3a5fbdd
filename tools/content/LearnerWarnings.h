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

// Adds the warnings about the bank as a whole to `problems`, against `file`.
void checkExam(const BankContent& content, const QString& file, SourceProblems& problems);

// A picture whose stored bitmap is many times its file: the reason, or
// nothing when its size is reasonable.
std::optional<QString> pictureGrowth(qint64 fileBytes, qint64 storedBytes);

// A picture larger than the picture area: the reason, with both sizes.
std::optional<QString> pictureCutOff(const QSize& picture);

// A question whose text, wrapped as the trainer wraps it, is taller than
// the practice text box: the reason, with the box's size.
std::optional<QString> textCutOff(const QString& text);

} // namespace LearnerWarnings

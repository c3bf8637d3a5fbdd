#pragma once

#include "tools/content/BankContent.h"
#include "tools/content/SourceProblems.h"

#include <QString>

#include <optional>

// What a learner would miss in a bank that is otherwise sound, said as
// warnings when it is built: a bank the mock exam cannot run on, and a
// picture stored far larger than its file (a photo kept as a bitmap).
namespace LearnerWarnings {

// Adds the warnings about the bank as a whole to `problems`, against `file`.
void checkExam(const BankContent& content, const QString& file, SourceProblems& problems);

// A picture whose stored bitmap is many times its file: the reason, or
// nothing when its size is reasonable.
std::optional<QString> pictureGrowth(qint64 fileBytes, qint64 storedBytes);

} // namespace LearnerWarnings

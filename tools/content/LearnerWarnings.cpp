#include "tools/content/LearnerWarnings.h"

#include "store/RegularFile.h"
#include "rules/ExamRules.h"

#include <QCoreApplication>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LearnerWarnings)
};

// A bitmap is bigger than a compressed file, so only a large stored picture
// that is also many times its file is worth a word: a photo taken whole.
constexpr qint64 growthFactor = 8;
constexpr qint64 largeStoredBytes = qint64(256) * 1024;

} // namespace

namespace LearnerWarnings {

void checkExam(const BankContent& content, const QString& file, SourceProblems& problems)
{
    qint64 ordinary = 0;
    qint64 mustAnswer = 0;
    for (const BankQuestion& question : content.questions) {
        if (question.mustAnswer == 0)
            ++ordinary;
        else if (question.mustAnswer == 1)
            ++mustAnswer;
    }
    if (ordinary <= ExamRules::ordinaryMinimum)
        problems.addWarning(file, 0,
                            Text::tr("no mock exam can run on this bank: it has %1 ordinary questions and needs more "
                                     "than %2; practice works")
                                .arg(ordinary)
                                .arg(ExamRules::ordinaryMinimum));
    else if (mustAnswer > 0 && mustAnswer <= ExamRules::mustAnswerMinimum)
        problems.addWarning(file, 0,
                            Text::tr("the mock exam draws no must-answer questions: the bank has %1 and needs more "
                                     "than %2")
                                .arg(mustAnswer)
                                .arg(ExamRules::mustAnswerMinimum));
}

std::optional<QString> pictureGrowth(qint64 fileBytes, qint64 storedBytes)
{
    if (storedBytes < largeStoredBytes || fileBytes <= 0 || storedBytes < growthFactor * fileBytes)
        return std::nullopt;
    return Text::tr("is stored as a bitmap of %1, %2 times its file (%3): probably a photo; a smaller picture "
                    "(fewer pixels, or fewer colours) keeps the bank small")
        .arg(RegularFile::sizeText(storedBytes))
        .arg(storedBytes / fileBytes)
        .arg(RegularFile::sizeText(fileBytes));
}

} // namespace LearnerWarnings

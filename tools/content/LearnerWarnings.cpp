#include "tools/content/LearnerWarnings.h"

#include "layout/FormLayout.h"
#include "layout/SongFont.h"
#include "rules/ExamRules.h"
#include "store/RegularFile.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <limits>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LearnerWarnings)
};

// A bitmap is bigger than a compressed file, so only a large stored picture
// that is also many times its file is worth a word: a photo taken whole.
constexpr qint64 growthFactor = 8;
constexpr qint64 largeStoredBytes = qint64(256) * 1024;

// The picture area is what the main page's tab bar leaves; its height is
// the style's, unknown here, so the area is taken at its largest: a picture
// said to be cut off always is.
constexpr QSize largestPictureArea = FormLayout::pictureArea(0);

} // namespace

namespace LearnerWarnings {

std::optional<QString> pictureCutOff(const QSize& picture)
{
    if (picture.width() <= largestPictureArea.width() && picture.height() <= largestPictureArea.height())
        return std::nullopt;
    return Text::tr("is %1×%2 pixels, larger than the picture area (%3×%4): the learner sees it cut off")
        .arg(picture.width())
        .arg(picture.height())
        .arg(largestPictureArea.width())
        .arg(largestPictureArea.height());
}

bool textFits(const QString& text, const QSize& inner)
{
    // The text box wraps at word boundaries, and anywhere in a word longer
    // than a line.
    static const QFontMetrics metrics(songFont(FormLayout::formFontSize));
    const QRect needed = metrics.boundingRect(QRect(0, 0, inner.width(), std::numeric_limits<int>::max() / 2),
                                              Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
    return needed.height() <= inner.height();
}

std::optional<QString> textCutOff(const QString& text)
{
    // The practice pages' height bounds the text box inside them, so a
    // text taller than that certainly needs scrolling.
    if (textFits(text, QSize(FormLayout::questionAreaWidth, FormLayout::practicePagesHeight)))
        return std::nullopt;
    return Text::tr("the question is longer than the practice text box (%1×%2 pixels) shows without scrolling")
        .arg(FormLayout::questionAreaWidth)
        .arg(FormLayout::practicePagesHeight);
}

void ExamPools::add(const BankQuestion& question)
{
    if (question.mustAnswer == 0)
        ++ordinary;
    else if (question.mustAnswer == 1)
        ++mustAnswer;
}

std::optional<QString> examWarning(const ExamPools& pools)
{
    if (pools.ordinary <= ExamRules::ordinaryMinimum)
        return Text::tr("no mock exam can run on this bank: it has %1 ordinary questions and needs more than %2; "
                        "practice works")
            .arg(pools.ordinary)
            .arg(ExamRules::ordinaryMinimum);
    if (pools.mustAnswer > 0 && pools.mustAnswer <= ExamRules::mustAnswerMinimum)
        return Text::tr("the mock exam draws no must-answer questions: the bank has %1 and needs more than %2")
            .arg(pools.mustAnswer)
            .arg(ExamRules::mustAnswerMinimum);
    return std::nullopt;
}

void checkExam(const BankContent& content, const QString& file, SourceProblems& problems)
{
    ExamPools pools;
    for (const BankQuestion& question : content.questions)
        pools.add(question);
    if (const auto warning = examWarning(pools))
        problems.addWarning(file, 0, *warning);
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

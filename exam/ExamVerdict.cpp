#include "exam/ExamVerdict.h"

#include "rules/ExamRules.h"
#include "store/FieldValue.h"

QString examVerdict(const QString& scoreText)
{
    if (integerFromTextOr(scoreText.trimmed(), 0) >= ExamRules::passMark)
        return QStringLiteral("恭喜您，考试通过!");
    return QStringLiteral("很遗憾的告诉您没有通过，请再次努力!");
}

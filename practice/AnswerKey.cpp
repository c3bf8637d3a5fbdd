#include "practice/AnswerKey.h"

#include "rules/AnswerCode.h"

QString answerKeyText(int result, int classNo)
{
    const bool singleChoice = QuestionType::isSingleChoice(classNo);
    switch (result) {
    case AnswerCode::a:
        return singleChoice ? QStringLiteral("A") : QStringLiteral("对");
    case AnswerCode::b:
        return singleChoice ? QStringLiteral("B") : QStringLiteral("错");
    default:
        return QStringLiteral("C");
    }
}

#include "practice/AnswerKey.h"

QString answerKeyText(int result, int classNo)
{
    const bool singleChoice = classNo == 0;
    switch (result) {
    case 0:
        return singleChoice ? QStringLiteral("A") : QStringLiteral("对");
    case 1:
        return singleChoice ? QStringLiteral("B") : QStringLiteral("错");
    default:
        return QStringLiteral("C");
    }
}

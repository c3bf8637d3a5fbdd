#include "tools/SourceWords.h"

#include "tools/BankContent.h"

#include <QStringList>

namespace {

bool isOneOf(const QString& word, const QStringList& spellings)
{
    return spellings.contains(word, Qt::CaseInsensitive);
}

} // namespace

namespace SourceWords {

std::optional<qint64> questionType(const QString& word)
{
    const QString w = word.trimmed();
    if (isOneOf(w, {QStringLiteral("single"), QStringLiteral("单选"), QStringLiteral("选择")}))
        return QuestionType::single;
    if (isOneOf(w, {QStringLiteral("judge"), QStringLiteral("判断")}))
        return QuestionType::judge;
    return std::nullopt;
}

std::optional<qint64> answer(const QString& word, qint64 type)
{
    const QString w = word.trimmed();
    if (QuestionType::isSingleChoice(type)) {
        if (isOneOf(w, {QStringLiteral("A")}))
            return AnswerCode::a;
        if (isOneOf(w, {QStringLiteral("B")}))
            return AnswerCode::b;
        if (isOneOf(w, {QStringLiteral("C")}))
            return AnswerCode::c;
        return std::nullopt;
    }
    if (isOneOf(w, {QStringLiteral("对"), QStringLiteral("正确"), QStringLiteral("√"), QStringLiteral("A")}))
        return AnswerCode::a;
    if (isOneOf(w, {QStringLiteral("错"), QStringLiteral("错误"), QStringLiteral("×"), QStringLiteral("B")}))
        return AnswerCode::b;
    return std::nullopt;
}

QString answerSpellings(qint64 type)
{
    if (QuestionType::isSingleChoice(type))
        return QStringLiteral("A, B or C");
    return QStringLiteral("对 or 错 (also 正确/错误, √/×, A/B)");
}

std::optional<bool> flag(const QString& word)
{
    const QString w = word.trimmed();
    if (isOneOf(w, {QStringLiteral("是"), QStringLiteral("1"), QStringLiteral("true")}))
        return true;
    if (isOneOf(w, {QStringLiteral("否"), QStringLiteral("0"), QStringLiteral("false")}))
        return false;
    return std::nullopt;
}

QString typeWord(qint64 type)
{
    if (type == QuestionType::single)
        return QStringLiteral("single");
    if (type == QuestionType::judge)
        return QStringLiteral("judge");
    return {};
}

QString answerWord(qint64 answer, qint64 type)
{
    if (QuestionType::isSingleChoice(type)) {
        switch (answer) {
        case AnswerCode::a: return QStringLiteral("A");
        case AnswerCode::b: return QStringLiteral("B");
        case AnswerCode::c: return QStringLiteral("C");
        default: return {};
        }
    }
    switch (answer) {
    case AnswerCode::a: return QStringLiteral("对");
    case AnswerCode::b: return QStringLiteral("错");
    default: return {}; // C on a true/false question has no word that means it
    }
}

} // namespace SourceWords

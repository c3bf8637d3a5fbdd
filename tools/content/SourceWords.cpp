#include "tools/content/SourceWords.h"

#include "rules/AnswerCode.h"

namespace {

const QStringList singleWords{QStringLiteral("单选"),     QStringLiteral("单选题"),     QStringLiteral("选择"),
                              QStringLiteral("选择题"),   QStringLiteral("单项选择"), QStringLiteral("单项选择题"),
                              QStringLiteral("single")};
const QStringList judgeWords{QStringLiteral("判断"), QStringLiteral("判断题"), QStringLiteral("是非"),
                             QStringLiteral("是非题"), QStringLiteral("对错"), QStringLiteral("对错题"),
                             QStringLiteral("judge")};
const QStringList multipleChoiceWords{
    QStringLiteral("多选"),   QStringLiteral("多选题"),   QStringLiteral("多项选择"), QStringLiteral("多项选择题"),
    QStringLiteral("不定项"), QStringLiteral("不定项选择"), QStringLiteral("不定项选择题"), QStringLiteral("multiple")};
const QStringList otherTypeWords{
    QStringLiteral("填空"),   QStringLiteral("填空题"),   QStringLiteral("问答"),     QStringLiteral("问答题"),
    QStringLiteral("简答"),   QStringLiteral("简答题"),   QStringLiteral("论述题"),   QStringLiteral("案例分析题")};
const QStringList trueWords{QStringLiteral("对"), QStringLiteral("正确"), QStringLiteral("√"), QStringLiteral("✓"),
                            QStringLiteral("A"),  QStringLiteral("T"),    QStringLiteral("Y"), QStringLiteral("true")};
const QStringList falseWords{QStringLiteral("错"), QStringLiteral("错误"), QStringLiteral("×"), QStringLiteral("✗"),
                             QStringLiteral("B"),  QStringLiteral("F"),    QStringLiteral("N"), QStringLiteral("false")};
const QStringList yesWords{QStringLiteral("是"), QStringLiteral("1"), QStringLiteral("true"), QStringLiteral("yes"),
                           QStringLiteral("Y"),  QStringLiteral("√"), QStringLiteral("✓"),    QStringLiteral("对")};
const QStringList noWords{QStringLiteral("否"), QStringLiteral("0"), QStringLiteral("false"), QStringLiteral("no"),
                          QStringLiteral("N"),  QStringLiteral("×"), QStringLiteral("✗"),     QStringLiteral("错")};

bool isOneOf(const QString& word, const QStringList& spellings)
{
    return spellings.contains(SourceWords::normalized(word), Qt::CaseInsensitive);
}

// The pairs in the order messages list them: 对/错, 正确/错误, ...
QStringList pairs(const QStringList& first, const QStringList& second)
{
    QStringList words;
    for (qsizetype i = 0; i < first.size(); ++i)
        words.append(first[i] + QLatin1Char('/') + second[i]);
    return words;
}

} // namespace

namespace SourceWords {

QString normalized(const QString& word)
{
    // NFKC folds full-width letters and digits (Ａ, １) into ASCII and
    // leaves CJK text, √ and × as they are.
    return word.normalized(QString::NormalizationForm_KC).trimmed();
}

std::optional<qint64> questionType(const QString& word)
{
    if (isOneOf(word, singleWords))
        return QuestionType::single;
    if (isOneOf(word, judgeWords))
        return QuestionType::judge;
    return std::nullopt;
}

bool isTypeTheProgramLacks(const QString& word)
{
    return isMultipleChoiceType(word) || isOneOf(word, otherTypeWords);
}

bool isMultipleChoiceType(const QString& word)
{
    return isOneOf(word, multipleChoiceWords);
}

bool isTrueFalseWord(const QString& word)
{
    const QString w = normalized(word).toUpper();
    if (w == QLatin1String("A") || w == QLatin1String("B"))
        return false;
    return isOneOf(w, trueWords) || isOneOf(w, falseWords);
}

std::optional<qint64> answer(const QString& word, qint64 type)
{
    if (QuestionType::isSingleChoice(type)) {
        const QString w = normalized(word).toUpper();
        if (w == QLatin1String("A"))
            return AnswerCode::a;
        if (w == QLatin1String("B"))
            return AnswerCode::b;
        if (w == QLatin1String("C"))
            return AnswerCode::c;
        return std::nullopt;
    }
    if (isOneOf(word, trueWords))
        return AnswerCode::a;
    if (isOneOf(word, falseWords))
        return AnswerCode::b;
    return std::nullopt;
}

std::optional<bool> flag(const QString& word)
{
    if (isOneOf(word, yesWords))
        return true;
    if (isOneOf(word, noWords))
        return false;
    return std::nullopt;
}

QStringList typeSpellings()
{
    return singleWords + judgeWords;
}

QStringList answerSpellings(qint64 type)
{
    if (QuestionType::isSingleChoice(type))
        return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    return pairs(trueWords, falseWords);
}

QStringList flagSpellings()
{
    return pairs(yesWords, noWords);
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

QString picturePath(const QString& typed)
{
    QString path = typed.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

} // namespace SourceWords

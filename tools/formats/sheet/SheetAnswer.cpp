#include "tools/formats/sheet/SheetAnswer.h"

#include "tools/content/SourceWords.h"

#include "rules/AnswerCode.h"

#include <QRegularExpression>
#include <QStringList>

SheetAnswer SheetAnswer::read(const QString& cell)
{
    SheetAnswer answer;
    QStringList lines = cell.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    if (lines.isEmpty())
        return answer;
    answer.word = SourceWords::normalized(lines.first());
    answer.droppedLines = lines.size() > 1;

    // Answers copied from a printed or web question bank keep their label
    // and the sentence's full stop: "答案：A", "正确答案:B", "B。". The
    // answer is what is left; the message still quotes the cell as written.
    static const QRegularExpression labelAndStop(
        QStringLiteral("^(?:(?:正确|参考|标准)?答案|answer)\\s*:?\\s*|\\s*[。.]$"),
        QRegularExpression::CaseInsensitiveOption);
    QString bare = answer.word;
    bare.remove(labelAndStop);
    if (bare.isEmpty())
        bare = answer.word;

    static const QRegularExpression oneLetter(QStringLiteral("^[A-Z]$"));
    static const QRegularExpression severalLetters(QStringLiteral("^[A-Z](?:[,、;；/\\s]*[A-Z])+$"));
    const QString upper = bare.toUpper();
    if (upper == QLatin1String("A") || upper == QLatin1String("B") || upper == QLatin1String("C")) {
        answer.kind = Kind::Letter;
        answer.code = upper.at(0).unicode() - u'A';
    } else if (SourceWords::isTrueFalseWord(upper)) {
        answer.kind = Kind::TrueFalse;
        answer.code = *SourceWords::answer(upper, QuestionType::judge);
    } else if (oneLetter.match(upper).hasMatch()) {
        answer.kind = Kind::LaterLetter;
    } else if (severalLetters.match(upper).hasMatch()) {
        answer.kind = Kind::SeveralLetters;
    } else {
        answer.kind = Kind::Other;
    }
    return answer;
}

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

    static const QRegularExpression oneLetter(QStringLiteral("^[A-Z]$"));
    static const QRegularExpression severalLetters(QStringLiteral("^[A-Z](?:[,、;；/\\s]*[A-Z])+$"));
    const QString upper = answer.word.toUpper();
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

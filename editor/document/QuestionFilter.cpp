#include "editor/document/QuestionFilter.h"

#include "rules/AnswerCode.h"

QList<int> QuestionFilter::apply(const QList<DocumentQuestion>& questions, const QSet<int>& problemQuestions) const
{
    const QString wanted = search.trimmed();
    bool isNumber = false;
    const qint64 number = wanted.toLongLong(&isNumber);
    QList<int> shown;
    for (int i = 0; i < int(questions.size()); ++i) {
        const BankQuestion& row = questions[i].row;
        if (category && row.category != *category)
            continue;
        if (singleChoice && QuestionType::isSingleChoice(row.type) != *singleChoice)
            continue;
        if (mustAnswer && (row.mustAnswer == 1) != *mustAnswer)
            continue;
        if (withPicture && !questions[i].picture.present())
            continue;
        if (withProblem && !problemQuestions.contains(i))
            continue;
        if (!wanted.isEmpty() && !(isNumber && row.no == number) && !row.text.contains(wanted, Qt::CaseInsensitive))
            continue;
        shown.append(i);
    }
    return shown;
}

#pragma once

#include "editor/document/BankDocument.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// Which questions the list shows: every criterion that is set must hold.
struct QuestionFilter
{
    std::optional<qint64> category;
    std::optional<bool> singleChoice;
    std::optional<bool> mustAnswer;
    bool withPicture = false;
    bool withProblem = false;
    QString search; // in the text (any case), or the question's number

    // The positions of the questions that pass, in the document's order;
    // `problemQuestions` holds the positions that have a problem.
    QList<int> apply(const QList<DocumentQuestion>& questions, const QSet<int>& problemQuestions) const;
};

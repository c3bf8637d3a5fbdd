#include "editor/document/DocumentProblems.h"

#include "tools/content/ContentRules.h"
#include "tools/content/LearnerWarnings.h"
#include "tools/content/OptionLayout.h"

#include "rules/AnswerCode.h"

#include <array>

namespace {

// The names the content rules report against; only the questions' lines
// (their positions + 1) lead to a question.
const QString questionsFile = QStringLiteral("questions");
const QString categoriesFile = QStringLiteral("categories");

} // namespace

DocumentProblems DocumentProblems::check(const BankDocument& document, const TextFits& textFits)
{
    DocumentProblems problems;
    SourceProblems found;
    ContentRules::check(document.content(), questionsFile, categoriesFile, found);
    const auto take = [&](const QList<SourceProblem>& list, DocumentProblem::Severity severity) {
        for (const SourceProblem& problem : list) {
            const bool question = problem.file == questionsFile && problem.line > 0;
            problems.add(severity, question ? problem.line - 1 : -1, problem.reason);
        }
    };
    take(found.errors(), DocumentProblem::Severity::Error);
    take(found.warnings(), DocumentProblem::Severity::Warning);

    const QList<DocumentQuestion>& questions = document.questions();
    for (int i = 0; i < int(questions.size()); ++i)
        problems.checkQuestion(i, questions[i], textFits);
    problems.checkExam(document);
    problems.checkKeys(document);
    return problems;
}

void DocumentProblems::checkQuestion(int index, const DocumentQuestion& question, const TextFits& textFits)
{
    using Severity = DocumentProblem::Severity;
    const BankQuestion& row = question.row;
    if (row.text.trimmed().isEmpty())
        add(Severity::Error, index, tr("question %1 has no text").arg(row.no));
    if (row.answer < AnswerCode::a || row.answer > AnswerCode::c)
        add(Severity::Error, index,
            tr("question %1: answer code %2 is not A, B or C: no answer button is right").arg(row.no).arg(row.answer));
    else if (!QuestionType::isSingleChoice(row.type) && row.answer == AnswerCode::c)
        add(Severity::Error, index, tr("question %1: a true/false question whose key is C: no button is right")
                                        .arg(row.no));
    if (QuestionType::isSingleChoice(row.type) && !row.text.trimmed().isEmpty() && !OptionLayout::hasOptionLines(row.text))
        add(Severity::Warning, index,
            tr("question %1: options missing: the text does not hold the options A, B and C on lines of their "
               "own, so the learner sees answer buttons without options")
                .arg(row.no));
    if (textFits && !textFits(row.text))
        add(Severity::Warning, index,
            tr("question %1: the text is longer than the trainer's text box: the learner has to scroll to read it")
                .arg(row.no));
    if (const QSize picture = question.picture.size(); picture.isValid())
        if (const auto cut = LearnerWarnings::pictureCutOff(picture))
            add(Severity::Warning, index, tr("question %1: the picture %2").arg(row.no).arg(*cut));
    if (row.mustAnswer != 0 && row.mustAnswer != 1)
        add(Severity::Warning, index,
            tr("question %1: must-answer value %2 is neither yes nor no: it never appears in a mock exam")
                .arg(row.no)
                .arg(row.mustAnswer));
}

void DocumentProblems::checkExam(const BankDocument& document)
{
    LearnerWarnings::ExamPools pools;
    for (const DocumentQuestion& question : document.questions())
        pools.add(question.row);
    if (const auto warning = LearnerWarnings::examWarning(pools))
        add(DocumentProblem::Severity::Warning, -1, *warning);
}

void DocumentProblems::checkKeys(const BankDocument& document)
{
    std::array<int, 3> keys{};
    int single = 0;
    for (const DocumentQuestion& question : document.questions()) {
        const BankQuestion& row = question.row;
        if (!QuestionType::isSingleChoice(row.type) || row.answer < AnswerCode::a || row.answer > AnswerCode::c)
            continue;
        ++keys[size_t(row.answer)];
        ++single;
    }
    if (single < keyBalanceMinimum)
        return;
    for (int key = 0; key < 3; ++key)
        if (keys[size_t(key)] > single * keyShareLimit)
            add(DocumentProblem::Severity::Warning, -1,
                tr("balance of keys: %1 of the %2 single-choice questions have the key %3; a learner who always "
                   "picks %3 passes too often")
                    .arg(keys[size_t(key)])
                    .arg(single)
                    .arg(OptionLayout::letter(key)));
}

int DocumentProblems::errorCount() const
{
    return int(std::count_if(problems_.cbegin(), problems_.cend(), [](const DocumentProblem& problem) {
        return problem.severity == DocumentProblem::Severity::Error;
    }));
}

int DocumentProblems::warningCount() const
{
    return int(problems_.size()) - errorCount();
}

QSet<int> DocumentProblems::questions() const
{
    QSet<int> positions;
    for (const DocumentProblem& problem : problems_)
        if (problem.question >= 0)
            positions.insert(problem.question);
    return positions;
}

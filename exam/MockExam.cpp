#include "exam/MockExam.h"

#include "exam/ExamDraw.h"
#include "exam/ExamVerdict.h"
#include "rules/BankColumns.h"
#include "rules/ExamRules.h"
#include "rules/Statements.h"
#include "store/RecordSet.h"

#include <stdexcept>

MockExam::MockExam(const ExamRandom& random)
    : random_(random)
{
}

void MockExam::start()
{
    bTesting = true;
    iScore = 0;
}

void MockExam::draw(RecordSet& scratch)
{
    slExamNo.clear();
    random_.seedFromClock();
    // The phases draw from disjoint sets of questions, so no number repeats.
    drawPhase(scratch, Statements::mustAnswerNumbers(), ExamRules::mustAnswerMinimum, ExamRules::mustAnswerDraws);
    drawPhase(scratch, Statements::ordinaryNumbers(), ExamRules::ordinaryMinimum, ExamRules::examSize);
    scratch.close();
}

void MockExam::drawPhase(RecordSet& scratch, const QString& sql, int minimum, int until)
{
    scratch.close();
    scratch.setSql(sql);
    scratch.open();
    const int population = scratch.recordCount();
    if (population <= minimum)
        return;
    for (const int position : drawDistinctPositions(population, until - int(slExamNo.size()), random_)) {
        scratch.setRecNo(position + 1);
        slExamNo.append(scratch.fieldAsString(Column::no));
    }
}

bool MockExam::loadsQuestions() const
{
    return slExamNo.size() == ExamRules::examSize;
}

QString MockExam::firstNumber() const
{
    if (slExamNo.isEmpty())
        throw std::out_of_range("List index out of bounds (0)");
    return slExamNo.first();
}

MockExam::Step MockExam::stepAfter(const QString& currentNumber, const QString& scoreText) const
{
    qsizetype i = slExamNo.indexOf(currentNumber);
    if (i < 0)
        i = slExamNo.size();
    if (i < slExamNo.size() - 1)
        return {slExamNo.at(i + 1), int(i + 2), std::nullopt};
    return {QString(), 0, examVerdict(scoreText)};
}

MockExam::AfterAnswer MockExam::answer(bool right, bool mustAnswer)
{
    if (right) {
        ++iScore;
        return AfterAnswer::NextQuestion;
    }
    return mustAnswer ? AfterAnswer::ShowKeyThenRestart : AfterAnswer::ShowKeyThenNext;
}

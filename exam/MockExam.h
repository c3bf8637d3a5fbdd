#pragma once

#include "exam/ExamRandom.h"

#include <QString>
#include <QStringList>

#include <optional>

class RecordSet;

// One mock exam: whether it runs, the question numbers drawn for it in the
// order they are asked, and the score. The window asks it what happens after
// each answer and each "下一题", and loads and shows the questions itself.
class MockExam
{
public:
    // What an answer leads to.
    enum class AfterAnswer {
        NextQuestion,     // right: a point was added; go on
        ShowKeyThenNext,  // wrong: show the right answer, then go on
        ShowKeyThenRestart, // wrong on a must-answer question: show it, then a new exam
    };

    // Where the exam goes after the current question.
    struct Step
    {
        QString number;  // the question to load next; empty after the last
        int position = 0; // its place in the exam, 1 to 100
        std::optional<QString> verdict; // after the last question: the message that ends the exam
    };

    explicit MockExam(const ExamRandom& random = ExamRandom());

    // Replaces the random source of the draw (tests use a fixed seed).
    void setRandom(const ExamRandom& random) { random_ = random; }

    // A new exam starts: it runs, with no points and no numbers yet.
    void start();
    // Draws the numbers through the scratch set: 8 must-answer questions
    // when the bank has more than 15, then ordinary ones up to 100 when it has
    // more than 100. Nothing of an earlier draw survives; the scratch set is
    // closed at the end.
    void draw(RecordSet& scratch);
    // The exam ends without a verdict (another mode was picked).
    void stop() { bTesting = false; }

    bool isRunning() const { return bTesting; }
    int score() const { return iScore; }
    const QStringList& numbers() const { return slExamNo; }
    // Only a full draw of 100 questions loads any question.
    bool loadsQuestions() const;

    // The first question's number. Raises "List index out of bounds (0)"
    // when nothing was drawn.
    QString firstNumber() const;
    // The step after the question numbered `currentNumber`. After the last
    // one, the verdict comes from `scoreText`, the score as the learner sees
    // it (the score box's text; empty counts as 0).
    Step stepAfter(const QString& currentNumber, const QString& scoreText) const;

    // Scores an answer to the current question.
    AfterAnswer answer(bool right, bool mustAnswer);

private:
    void drawPhase(RecordSet& scratch, const QString& sql, int minimum, int until);

    QStringList slExamNo;
    int iScore = 0;
    bool bTesting = false;
    ExamRandom random_;
};

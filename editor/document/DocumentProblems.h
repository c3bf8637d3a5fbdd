#pragma once

#include "editor/document/BankDocument.h"

#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

// What is wrong with the bank being edited, found live as it changes: the
// bank tool's own content rules (ContentRules, as build reports them) and
// what the program would do wrong with a question (no right answer button,
// options missing, a picture larger than the picture area), and for the
// whole bank whether a mock exam can run and how the keys are spread; with
// the trainer's text box given, also a text longer than the box.
struct DocumentProblem
{
    enum class Severity { Error, Warning };

    Severity severity = Severity::Warning;
    int question = -1; // the question's position, -1 for the bank as a whole
    QString text;
};

class DocumentProblems
{
    Q_DECLARE_TR_FUNCTIONS(DocumentProblems)

public:
    // Whether a question's text fits the trainer's text box without
    // scrolling; the window knows the box and its font.
    using TextFits = std::function<bool(const QString& text)>;

    static DocumentProblems check(const BankDocument& document, const TextFits& textFits = {});

    const QList<DocumentProblem>& all() const { return problems_; }
    int errorCount() const;
    int warningCount() const;
    // The positions of the questions with at least one problem.
    QSet<int> questions() const;

    // Above this share of the single-choice questions, one key is a hint a
    // learner can guess by.
    static constexpr double keyShareLimit = 0.5;
    // Below this many single-choice questions the spread says nothing.
    static constexpr int keyBalanceMinimum = 20;

private:
    void add(DocumentProblem::Severity severity, int question, const QString& text)
    {
        problems_.append({severity, question, text});
    }
    void checkQuestion(int index, const DocumentQuestion& question, const TextFits& textFits);
    void checkExam(const BankDocument& document);
    void checkKeys(const BankDocument& document);

    QList<DocumentProblem> problems_;
};

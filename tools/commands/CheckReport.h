#pragma once

#include <QList>
#include <QString>

// What checking a bank found. Faults are what the program fails on (the
// check exits 1); warnings are what it handles in a way the bank's author
// probably did not mean; notes say what the program will do.
struct CheckFinding
{
    enum class Severity { Fault, Warning, Note };
    enum class Kind {
        CannotOpen,
        Damaged,               // SQLite's integrity check fails
        HotJournal,            // a journal the program rolls back on its next start
        CannotRead,            // a read failed or hit a limit half-way
        MissingTable,
        MissingColumn,
        UnreadableValue,       // a number field the program cannot read as a number
        WrongKind,             // a value of the wrong kind that the program still reads
        CategoryNotInteger,    // the category list stops at it
        AnswerOutOfRange,      // no answer button is right
        JudgeAnswerC,          // a true/false question answered C
        NoOptionLines,         // a single-choice question that shows no options
        CategoryNotOffered,    // the question is never offered for practice
        DuplicateQuestionNumber,
        UndecodablePicture,
        NotInExamPool,         // passOnly neither 0 nor 1
        NoExam,
        ExamPlan,
        Summary,
    };

    Severity severity = Severity::Note;
    Kind kind = Kind::Summary;
    QString text;
};

class CheckReport
{
public:
    void add(CheckFinding::Severity severity, CheckFinding::Kind kind, const QString& text);

    const QList<CheckFinding>& findings() const { return findings_; }
    int count(CheckFinding::Kind kind) const;

    // True when nothing in the bank makes the program fail.
    bool programWorks() const;

    // The report as shown to the user: faults, warnings, then notes, with
    // long runs of one kind of finding cut short.
    QString toText(const QString& bankPath) const;

private:
    QList<CheckFinding> findings_;
};

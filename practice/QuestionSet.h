#pragma once

#include <QByteArray>
#include <QString>

class RecordSet;

// The question set: the questions of whichever mode is active, over the
// window's record set of questions, with the rules of moving through them.
// Each mode opens it on its own statement; the window then shows the current
// question, field by field in the order it puts them on the screen, so that
// a field that cannot be read stops the display where it stands.
//
// Every operation raises what the record set raises (StoreError, and
// ConversionError for a number field that holds other text).
class QuestionSet
{
public:
    explicit QuestionSet(RecordSet& questions);

    // The modes' sets. Each closes the set, sets its statement and opens it:
    // the first question is current.
    void openCategory(const QString& fatherNo);
    void openAll();
    void openMustAnswer();
    // The one question of a mock exam with this number (none for "").
    void openNumber(const QString& number);
    void close();

    bool isBrowsing() const;
    // Whether there is a question to answer: an open set that is not empty.
    bool hasQuestion() const;

    // Moves, each telling whether the current question is to be shown again.
    // Prior and next follow the record set's BOF and EOF rules: the first
    // step past either end only sets the flag and shows the same question
    // again. Go-to moves to question n, or to the last when n is beyond it.
    bool prior();
    bool next();
    bool goTo(int n);

    // The current question's fields; a null value, or no current question,
    // reads as "" or 0.
    QString text() const;
    int answerCode() const; // Subjects.result
    int type() const;       // Subjects.classNo
    bool isMustAnswer() const; // passOnly 1 or more
    QByteArray picture() const;
    QString number() const; // Subjects.no, as text
    // The 1-based position of the current question; -1 when the set is empty.
    int position() const;

    // Whether `code` is the current question's answer.
    bool isRight(int code) const;

private:
    void open(const QString& sql, const QString& parameter = {}, const QString& value = {});

    RecordSet& set_;
};

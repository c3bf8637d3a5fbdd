#include "practice/QuestionSet.h"

#include "rules/BankColumns.h"
#include "rules/Statements.h"
#include "store/RecordSet.h"

#include <algorithm>

QuestionSet::QuestionSet(RecordSet& questions)
    : set_(questions)
{
}

void QuestionSet::open(const QString& sql, const QString& parameter, const QString& value)
{
    set_.setSql(sql); // closes the set
    if (!parameter.isEmpty())
        set_.setParameter(parameter, value);
    set_.open();
}

void QuestionSet::openCategory(const QString& fatherNo)
{
    open(Statements::subjectsOfClass(), Statements::categoryParameter, fatherNo);
}

void QuestionSet::openAll()
{
    open(Statements::allSubjects());
}

void QuestionSet::openMustAnswer()
{
    open(Statements::mustAnswerSubjects());
}

void QuestionSet::openNumber(const QString& number)
{
    open(Statements::subjectByNumber(), Statements::numberParameter, number);
}

void QuestionSet::close()
{
    set_.close();
}

bool QuestionSet::isBrowsing() const
{
    return set_.isBrowsing();
}

bool QuestionSet::hasQuestion() const
{
    return set_.isBrowsing() && set_.recordCount() >= 1;
}

bool QuestionSet::prior()
{
    if (!set_.isBrowsing() || set_.bof())
        return false;
    set_.prior();
    return true;
}

bool QuestionSet::next()
{
    if (!set_.isBrowsing() || set_.eof())
        return false;
    set_.next();
    return true;
}

bool QuestionSet::goTo(int n)
{
    if (!hasQuestion())
        return false;
    set_.setRecNo(std::min(n, set_.recordCount()));
    return true;
}

QString QuestionSet::text() const
{
    return set_.fieldAsString(Column::subject);
}

int QuestionSet::answerCode() const
{
    return set_.fieldAsInteger(Column::result);
}

int QuestionSet::type() const
{
    return set_.fieldAsInteger(Column::classNo);
}

bool QuestionSet::isMustAnswer() const
{
    return set_.fieldAsInteger(Column::passOnly) >= 1;
}

QByteArray QuestionSet::picture() const
{
    return set_.fieldAsBytes(Column::bmp);
}

QString QuestionSet::number() const
{
    return set_.fieldAsString(Column::no);
}

int QuestionSet::position() const
{
    return set_.recNo();
}

bool QuestionSet::isRight(int code) const
{
    return answerCode() == code;
}

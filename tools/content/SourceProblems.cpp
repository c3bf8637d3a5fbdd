#include "tools/content/SourceProblems.h"

namespace {

SourceProblem problem(const QString& file, const SourcePlace& place, const QString& reason)
{
    return {file, place.number, reason, place.unit, place.column, place.columnName};
}

} // namespace

QString SourceProblem::toString() const
{
    if (line <= 0)
        return tr("%1: %2").arg(file, reason);
    if (unit == SourcePlace::Unit::Line)
        return tr("%1:%2: %3").arg(file).arg(line).arg(reason);
    if (column.isEmpty())
        return tr("%1: row %2: %3").arg(file).arg(line).arg(reason);
    return tr("%1: row %2, column %3 (%4): %5").arg(file).arg(line).arg(column, columnName, reason);
}

void SourceProblems::add(QList<SourceProblem>& list, qint64& leftOut, SourceProblem problem)
{
    if (list.size() >= maxKeptPerList) {
        ++leftOut;
        return;
    }
    // A reason quotes the value it is about, which may be a whole cell.
    if (problem.reason.size() > maxReasonCharacters) {
        const qsizetype head = maxReasonCharacters / 2;
        const qsizetype tail = maxReasonCharacters / 4;
        problem.reason = SourceProblem::tr("%1…[%L2 characters left out]…%3")
                             .arg(problem.reason.left(head))
                             .arg(problem.reason.size() - head - tail)
                             .arg(problem.reason.right(tail));
    }
    list.append(std::move(problem));
}

void SourceProblems::addError(const QString& file, int line, const QString& reason)
{
    add(errors_, errorsLeftOut_, problem(file, SourcePlace::line(line), reason));
}

void SourceProblems::addWarning(const QString& file, int line, const QString& reason)
{
    add(warnings_, warningsLeftOut_, problem(file, SourcePlace::line(line), reason));
}

void SourceProblems::addError(const QString& file, const SourcePlace& place, const QString& reason)
{
    add(errors_, errorsLeftOut_, problem(file, place, reason));
}

void SourceProblems::addWarning(const QString& file, const SourcePlace& place, const QString& reason)
{
    add(warnings_, warningsLeftOut_, problem(file, place, reason));
}

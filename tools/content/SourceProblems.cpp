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

void SourceProblems::addError(const QString& file, int line, const QString& reason)
{
    errors_.append(problem(file, SourcePlace::line(line), reason));
}

void SourceProblems::addWarning(const QString& file, int line, const QString& reason)
{
    warnings_.append(problem(file, SourcePlace::line(line), reason));
}

void SourceProblems::addError(const QString& file, const SourcePlace& place, const QString& reason)
{
    errors_.append(problem(file, place, reason));
}

void SourceProblems::addWarning(const QString& file, const SourcePlace& place, const QString& reason)
{
    warnings_.append(problem(file, place, reason));
}

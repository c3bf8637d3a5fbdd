#include "tools/SourceProblems.h"

QString SourceProblem::toString() const
{
    if (line > 0)
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(reason);
    return QStringLiteral("%1: %2").arg(file, reason);
}

void SourceProblems::addError(const QString& file, int line, const QString& reason)
{
    errors_.append({file, line, reason});
}

void SourceProblems::addWarning(const QString& file, int line, const QString& reason)
{
    warnings_.append({file, line, reason});
}

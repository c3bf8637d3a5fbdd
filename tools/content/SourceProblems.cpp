#include "tools/content/SourceProblems.h"

namespace {

SourceProblem problem(const QString& file, const SourcePlace& place, const QString& reason, const QString& value)
{
    return {file, place.number, reason, place.unit, place.column, place.columnName, value};
}

} // namespace

QString SourceProblem::shown(const QString& value, qsizetype characters)
{
    return tr("\"%1\"").arg(shortened(value, characters));
}

QString SourceProblem::shortened(const QString& value, qsizetype characters)
{
    QString text = value.trimmed();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QChar(u'⏎'));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (text.size() > characters)
        text = text.left(characters - 1) + QChar(u'…');
    return text;
}

QString SourceProblem::placeText() const
{
    if (line <= 0)
        return file;
    if (unit == SourcePlace::Unit::Line)
        return tr("%1:%2").arg(file).arg(line);
    if (column.isEmpty())
        return tr("%1: row %2").arg(file).arg(line);
    return tr("%1: row %2, column %3 (%4)").arg(file).arg(line).arg(column, columnName);
}

QString SourceProblem::toString() const
{
    const QString what = value.isNull() ? reason : tr("%1: %2").arg(shown(value), reason);
    return tr("%1: %2").arg(placeText(), what);
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
    add(errors_, errorsLeftOut_, problem(file, SourcePlace::line(line), reason, {}));
}

void SourceProblems::addWarning(const QString& file, int line, const QString& reason)
{
    add(warnings_, warningsLeftOut_, problem(file, SourcePlace::line(line), reason, {}));
}

void SourceProblems::addError(const QString& file, const SourcePlace& place, const QString& reason,
                              const QString& value)
{
    add(errors_, errorsLeftOut_, problem(file, place, reason, value));
}

void SourceProblems::addWarning(const QString& file, const SourcePlace& place, const QString& reason,
                                const QString& value)
{
    add(warnings_, warningsLeftOut_, problem(file, place, reason, value));
}

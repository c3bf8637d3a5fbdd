#include "tools/commands/BuildReport.h"

#include <QCoreApplication>
#include <QSet>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(BuildReport)
};

// Problems alike: the same reason in the same column of the same file.
// Problems on lines of a JSON file stay one to a line, in the form editors
// link to (file:line:).
struct Group
{
    QList<SourceProblem> problems;
};

QList<Group> grouped(const QList<SourceProblem>& problems)
{
    QList<Group> groups;
    QHash<QString, qsizetype> at;
    for (const SourceProblem& problem : problems) {
        const QString line = problem.unit == SourcePlace::Unit::Line ? QString::number(problem.line) : QString();
        const QString key = QStringList{problem.file, problem.column, problem.columnName, problem.reason, line}
                                .join(u'\x1f');
        const auto found = at.constFind(key);
        if (found == at.cend()) {
            at.insert(key, groups.size());
            groups.append({{problem}});
        } else {
            groups[*found].problems.append(problem);
        }
    }
    return groups;
}

QString where(const SourceProblem& problem)
{
    if (problem.column.isEmpty())
        return problem.file;
    return Text::tr("%1, column %2 (%3)").arg(problem.file, problem.column, problem.columnName);
}

// The group's lines: one for a single problem; else the problem and then
// its first rows.
QStringList groupLines(const Group& group, const QString& label)
{
    const SourceProblem& first = group.problems.first();
    if (group.problems.size() == 1)
        return {label.arg(first.toString())};
    QStringList rows;
    for (qsizetype i = 0; i < group.problems.size() && i < BuildReport::rowsShown; ++i) {
        const SourceProblem& problem = group.problems[i];
        const QString number = QString::number(problem.line);
        rows.append(problem.value.isNull() ? number : Text::tr("%1 %2").arg(number, SourceProblem::shown(problem.value, 12)));
    }
    if (group.problems.size() > BuildReport::rowsShown)
        rows.append(QStringLiteral("…"));
    return {label.arg(Text::tr("%1: %2").arg(where(first), first.reason)),
            QStringLiteral("    ")
                + Text::tr("%L1 rows: %2").arg(group.problems.size()).arg(rows.join(Text::tr(", ")))};
}

} // namespace

namespace BuildReport {

QStringList lines(const SourceProblems& problems, int budget)
{
    QStringList out;
    const QList<Group> errors = grouped(problems.errors());
    const QList<Group> warnings = grouped(problems.warnings());
    int hiddenKinds = 0;
    qsizetype hiddenCount = 0;
    const auto add = [&](const QList<Group>& groups, const QString& label) {
        for (const Group& group : groups) {
            const QStringList more = groupLines(group, label);
            if (out.size() + more.size() > budget - 2) {
                ++hiddenKinds;
                hiddenCount += group.problems.size();
                continue;
            }
            out.append(more);
        }
    };
    add(errors, Text::tr("error: %1"));
    add(warnings, Text::tr("warning: %1"));
    if (hiddenKinds > 0)
        out.append(Text::tr("… %L1 more problems of %2 other kinds are not shown; correct the ones above first")
                       .arg(hiddenCount)
                       .arg(hiddenKinds));
    const qint64 unlisted = problems.errorsLeftOut() + problems.warningsLeftOut();
    if (unlisted > 0)
        out.append(Text::tr("… and %L1 more problems like those above, counted but not listed").arg(unlisted));

    QSet<int> rows;
    for (const SourceProblem& problem : problems.errors())
        if (problem.unit == SourcePlace::Unit::Row && problem.line > 0)
            rows.insert(problem.line);
    if (!problems.errors().isEmpty() || !problems.warnings().isEmpty())
        out.append(rows.isEmpty() || problems.errorsLeftOut() > 0
                       ? Text::tr("%1, %2").arg(Text::tr("%Ln error(s)", nullptr, int(problems.errors().size() + problems.errorsLeftOut())),
                                                Text::tr("%Ln warning(s)", nullptr, int(problems.warnings().size() + problems.warningsLeftOut())))
                       : Text::tr("%1 in %2, %3")
                             .arg(Text::tr("%Ln error(s)", nullptr, int(problems.errors().size() + problems.errorsLeftOut())),
                                  Text::tr("%Ln row(s)", nullptr, int(rows.size())),
                                  Text::tr("%Ln warning(s)", nullptr, int(problems.warnings().size() + problems.warningsLeftOut()))));
    return out;
}

} // namespace BuildReport
